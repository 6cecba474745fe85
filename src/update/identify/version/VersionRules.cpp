// The tables of the version chain, row by row.
#include "update/identify/version/VersionRules.h"

#include "update/identify/rules/RulePath.h"
#include "update/identify/uninstall/ProductSearches.h"
#include "update/identify/uninstall/ProductVersionReaders.h"
#include "update/identify/version/VersionSources.h"

#include <vector>

namespace dm::update {

namespace {

using namespace rules;

// The text passes IsDigitsAndDots (the empty text too).
Check<VersionRun> digits(VersionField field) {
    return onlyChars(field, "0123456789.");
}

// Ends the chain when the row left a non-empty result.
RuleStep<VersionRun> endWhenSet() {
    return when({!empty(kResult)}, end());
}

template <std::string (*reader)(IdentifyContext&)> RuleStep<VersionRun> takeReader() {
    return hook(take<fromReader<reader>>);
}

template <Product product> RuleStep<VersionRun> takeProduct() {
    return hook(take<fromProduct<product>>);
}

} // namespace

// clang-format off
std::span<const VersionRow> shortCodeRules() {
    static const std::vector<VersionRow> kRows = {
        {"A1", {isExactly(kPath, "CCCP")}, {takeProduct<Product::CCCP>()}, After::Ends},
        {"A2", {isExactly(kPath, "QTA")}, {takeProduct<Product::QTAlternative>()}, After::Ends},
        {"A3", {isExactly(kPath, "QTL")}, {takeProduct<Product::QTLite>()}, After::Ends},
        {"A4", {isExactly(kPath, "KLITE")}, {takeProduct<Product::KLite>()}, After::Ends},
        {"A5", {isExactly(kPath, "KLITE64")}, {takeProduct<Product::KLite64>()}, After::Ends},
        {"A6", {isExactly(kPath, "KLITEMEGA")}, {takeProduct<Product::KLiteMega>()}, After::Ends},
        {"A7", {isExactly(kPath, "HASHTAB")}, {hook(take<hashTabVersion>)}, After::Ends},
        {"A8", {isExactly(kPath, "OPENHASHTAB")}, {takeProduct<Product::OpenHashTab>()}, After::Ends},
        {"A9", {isExactly(kPath, "QTTABBAR")}, {takeProduct<Product::QtTabBar>()}, After::Ends},
    };
    return kRows;
}

std::span<const VersionRow> earlyRules() {
    static const std::vector<VersionRow> kRows = {
        {"B1", {is(kFile, "unlocker")}, {hook(take<uninstallVersionInFolder, digitsOnly>, "Unlocker")}},
        {"B2", {starts(kFile, "gimp")}, {takeReader<GetProductVersion_Gimp>()}},
        {"B3", {starts(kFile, "glimpse")}, {takeProduct<Product::Glimpse>()}},
        {"B4", {starts(kFile, "ff_vfw")}, {takeReader<GetFfdshowVersion>()}},
        {"B5", {starts(kFile, "xvidvfw")}, {takeReader<GetProductVersion_Xvid>()}},
        {"B6", {is(kProductName, "XVid Video Codec")}, {takeReader<GetProductVersion_Xvid>()}},
        {"B7", {starts(kFile, "ffdshow.ax")}, {takeReader<GetFfdshowVersion>()}},
        {"B8", {starts(kFile, "launchy")}, {takeProduct<Product::Launchy>()}},
        {"B9", {is(kFile, "eac")}, {hook(take<uninstallVersion>, "Exact Audio Copy")}},
        {"B10", {has(kProductName, "ashampoo snap")}, {takeProduct<Product::AshampooSnap>()}},
        {"B11", {is(kCompanyName, "Yamicsoft"), has(kProductName, "Manager"), has(kProductName, "Windows")}, {takeReader<GetUninstallVersionByPublisher>()}},
    };
    return kRows;
}

std::span<const VersionRow> beforeReadingRules() {
    static const std::vector<VersionRow> kRows = {
        {"C1", {is(kCompanyName, "Yamicsoft"), has(kProductName, "Manager"), has(kProductName, "Windows")}, {hook(take<yamicsoftLibrary>)}, After::EndsWhenTaken},
        {"C2", {is(kProductName, "JDownloader")}, {hook(take<jDownloaderBuild>)}, After::Ends},
        {"C3", {any({is(kProductName, "Vuze"), starts(kProductName, "Vuze (")})}, {takeProduct<Product::Vuze>(), endWhenSet()}},
        {"C4", {is(kProductName, "SSD Dashboard"), is(kCompanyName, "Western Digital")}, {hook(take<uninstallVersionInFolder>, "Dashboard"), endWhenSet()}},
        {"C5", {is(kProductName, "Ashampoo WinOptimizer")}, {hook(take<uninstallVersionInFolderElseAny>, "ashampoo WinOptimizer"), endWhenSet()}},
        {"C6", {is(kProductName64, "MediathekView")}, {hook(take<uninstallVersion>, "MediathekView"), endWhenSet()}},
        {"C7", {is(kProductName64, "LatencyMon")}, {hook(take<uninstallVersion>, "LatencyMon"), endWhenSet()}},
        {"C8", {starts(kProductName64, "Citrix Workspace")}, {hook(take<uninstallVersion>, "Citrix Workspace"), endWhenSet()}},
        {"C9", {is(kProductName64, "Zortam Mp3 Media Studio")}, {hook(take<uninstallTrailingNumber>, "Zortam Mp3 Media Studio"), endWhenSet()}},
        {"C10", {starts(kProductName, "Screencast-O-Matic")}, {hook(take<screencastOMaticVersion>), endWhenSet()}},
        {"C11", {starts(kProductName, "Ventoy")}, {hook(take<ventoyVersionFile>), endWhenSet()}},
        {"C12", {is(kProductName, "8GadgetPack")}, {hook(take<uninstallVersion>, "8GadgetPack"), endWhenSet()}},
        {"C13", {is(kProductName, "IceCream Ebook reader")}, {hook(take<uninstallVersion>, "IceCream Ebook reader"), endWhenSet()}},
        {"C14", {has(kProductName, "StarMoney")}, {hook(take<uninstallVersion>, "StarMoney"), endWhenSet()}},
        {"C15", {is(kProductName64, "NVIDIA GeForce Experience")}, {hook(take<uninstallVersion>, "NVIDIA GeForce Experience"), endWhenSet()}},
        {"C16", {starts(kProductName, "Screencast-O-Matic")}, {hook(take<uninstallFirstWord>, "Screencast-O-Matic"), endWhenSet()}},
        {"C17", {is(kProductName64, "AMD Ryzen Master")}, {hook(take<uninstallVersion>, "AMD Ryzen Master"), endWhenSet()}},
        {"C18", {is(kProductName64, "Radeon Software")}, {hook(take<uninstallVersion>, "AMD Software"), endWhenSet()}},
        {"C19", {starts(kProductName, "OWASP Zed Attack Proxy")}, {hook(take<uninstallVersion>, "OWASP Zed Attack Proxy"), endWhenSet()}},
        {"C20", {starts(kProductName, "Waterfox G")}, {hook(take<waterfoxVersion>)}, After::EndsWhenTaken},
        {"C21", {is(kProductName, "Ashampoo Undeleter")}, {takeProduct<Product::AshampooUndeleter>(), endWhenSet()}},
        {"C22", {is(kProductName64, "Plex")}, {hook(take<uninstallVersionInFolder>, "Plex"), endWhenSet()}},
        {"C23", {is(kProductName64, "Plex Media Player")}, {hook(take<uninstallVersion>, "Plex Media Player"), endWhenSet()}},
        {"C24", {is(kFile, "GlyphClient")}, {hook(take<siblings>, "GlyphClientApp.exe")}, After::EndsWhenTaken},
        {"C25", {is(kFile, "wweb32")}, {hook(take<siblings>, "wwnotray.exe")}, After::EndsWhenTaken},
        {"C26", {is(kFile, "RevoUPort")}, {hook(take<siblings>, "x86\\RevoUn.exe")}, After::EndsWhenTaken},
        {"C27", {any({is(kFile, "RevoUPPort"), is(kFile, "RevoUninstallerProPortable")})}, {hook(take<siblings>, "x86\\RevoUnPro.exe")}, After::EndsWhenTaken},
        {"C28", {starts(kProductName, "Linqpad")}, {hook(take<siblings>, "LINQPad.Runtime.dll")}, After::EndsWhenTaken},
        {"C29", {any({is(kFile, "StartUI"), is(kFile, "avcenter")})}, {hook(take<siblings>, "avshadow.exe")}, After::EndsWhenTaken},
        {"C30", {is(kFile, "WindscribeLauncher")}, {hook(take<siblings>, "Windscribe.exe")}, After::EndsWhenTaken},
        {"C31", {starts(kProductName, "Librewolf Portable")}, {hook(take<siblings>, "Librewolf\\Librewolf.exe")}, After::EndsWhenTaken},
        {"C32", {any({is(kFile, "ubisoftconnect"), has(kFile, "Uplay")})}, {hook(take<siblings>, "upc.exe|UbisoftGameLauncher.exe")}, After::EndsWhenTaken},
        {"C33", {has(kProductName, "Inno Setup"), is(kFile, "compil32")}, {hook(take<uninstallVersion>, "Inno Setup")}, After::Ends},
        {"C34", {has(kProductName, "CloudBuckit")}, {hook(take<siblings>, "bin\\CloudBuckItApp.exe")}, After::EndsWhenTaken},
        {"C35", {has(kProductName, "Airdroid")}, {hook(take<siblings>, "AirDroid.exe")}, After::EndsWhenTaken},
        {"C36", {has(kProductName, "O&O Defrag")}, {hook(take<siblings>, "oodag.exe")}, After::EndsWhenTaken},
        {"C37", {is(kFile, "mbae-test")}, {hook(take<siblings>, "mbae.exe")}, After::EndsWhenTaken},
    };
    return kRows;
}

std::span<const VersionRow> adjustmentRules() {
    static const std::vector<VersionRow> kRows = {
        {"D1", {is(kFile, "partitionwizard"), empty(kResult)}, {hook(take<versionAfterDash>, "MiniTool Partition Wizard")}, After::EndsWhenTaken},
        {"D2", {is(kFile, "seatools"), empty(kResult)}, {hook(take<uninstallVersionInFolderAsVersion>, "SeaTools")}, After::EndsWhenTaken},
        {"D3", {is(kProductName, "AudioConverter Studio")}, {hook(take<audioConverterWhatsNew>)}},
        {"D4", {is(kProductName, "EaseUS Data Recovery Wizard")}, {hook(take<easeUsInstallLog>)}},
        {"D5", {is(kFile, "DRW")}, {hook(take<drwCandidates>)}},
        {"D6", {is(kFile, "gswin32"), empty(kResult), probe(runFileExistsNonEmpty)}, {hook(take<ghostscriptFolder>)}},
        {"D7", {is(kProductName, "Thonny")}, {hook(take<uninstallVersion>, "Thonny")}},
        {"D8", {is(kFile, "nsis"), empty(kResult)}, {hook(take<uninstallVersion>, "Nullsoft Install System")}},
        {"D9", {has(kProductName, "ArtMoney"), isExactly(kResult, "1.0.0.0"), digitsAfter(kFile, "am")}, {hook(take<uninstallVersion>, "ArtMoney")}},
        {"D10", {isExactly(kResult, "0.0.0.0"), isExactly(kProductName, "Google Chrome")}, {hook(take<highestSubfolderVersion>)}, After::Ends},
        {"D11", {is(kProductName, "Paint.NET")}, {hook(take<paintNetVersion>)}, After::Ends},
        {"D12", {is(kProductName, "photoscape")}, {hook(take<photoscapeMarker>)}, After::EndsWhenTaken},
        {"D13", {is(kFile, "dosbox")}, {hook(take<dosboxMarker>)}, After::EndsWhenTaken},
    };
    return kRows;
}

std::span<const VersionRow> recordRules() {
    static const std::vector<VersionRow> kRows = {
        {"E1", {starts(kProductName, "DBeaver Community"), empty(kResult)}, {hook(take<dbeaverReadme>)}, After::EndsWhenTaken},
        {"E2", {has(kInfoCompany, "NW.JS"), has(kInfoProduct, "NWJS")}, {hook(take<uninstallVersionOfProductInFolder, nonEmpty>)}},
        {"E3", {has(kFile, "IObitUnlocker")}, {hook(take<uninstallVersionInFolder, digitsOnly>, "Unlocker")}},
        {"E4", {has(kProductName, "Bleachbit"), empty(kResult)}, {hook(take<bleachbitVersion>), endWhenSet()}},
        {"E5", {is(kFile, "OpenVPNConnect"), digits(kFileVersion)}, {hook(take<openVpnConnectBuild>)}, After::Ends},
        {"E6", {starts(kProductName, "VirtualDub2")}, {hook(take<virtualDubReadme>)}, After::EndsWhenTaken},
        {"E7", {starts(kProductName, "PowerShell")}, {hook(take<powerShellVersion>)}, After::Ends},
        {"E8", {is(kProductName, "Grammarly"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E9", {starts(kProductName, "Brave Portable"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E10", {starts(kProductName, "Logitech Media Server"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E11", {is(kProductName, "Trident Z Lighting Control")}, {hook(take<fileVersionWithoutV>)}, After::EndsWhenTaken},
        {"E12", {starts(kProductName, "Ant Download Manager"), is(kFile, "AntDM"), digits(kProductVersion)}, {hook(take<newerProductVersion>)}, After::EndsWhenTaken},
        {"E13", {has(kProductName, "WSCC"), any({is(kFile, "wscc"), is(kFile, "wscc64")}), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E14", {has(kProductName, "Trader WorkStation"), startsExactly(kResult, "1.")}, {hook(take<traderWorkstationVersion>)}, After::EndsWhenTaken},
        {"E15", {has(kProductName, "DWG TrueView")}, {hook(take<productVersionWithoutR>)}, After::EndsWhenTaken},
        {"E16", {has(kProductName, "iSCSIAgent"), is(kFile, "iSCSIAgent"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E17", {has(kProductName, "MiKTeX"), has(kCompanyName, "TeX"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E18", {has(kProductName, "PowerPanel"), has(kCompanyName, "Cyber"), startsExactly(kResult, "0.")}, {hook(take<uninstallVersion, nonEmpty>, "CyberPower PowerPanel")}},
        {"E19", {starts(kProductName, "Password Tech")}, {hook(take<passwordTechVersion>)}},
        {"E20", {is(kProductName, "FastKeys")}, {hook(take<fastKeysVersion>)}, After::EndsWhenTaken},
        {"E21", {is(kFile, "VoodooShield"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E22", {any({all({has(kProductName, "ESET"), any({has(kProductName, "Security"), has(kProductName, "Antivirus")})}), starts(kProductName, "ESET Main GUI")}), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E23", {is(kProductName, "PostBox"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E24", {is(kProductName, "Dante Virtual Soundcard"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E25", {is(kFile, "slack"), digits(kProductVersion)}, {setField(kProductVersion)}, After::Ends},
        {"E26", {has(kProductName, "NetPhone Client")}, {hook(take<productVersionFirstWordDotted>)}, After::EndsWhenTaken},
        {"E27", {has(kProductName, "Avidemux")}, {hook(take<descriptionSecondWord>)}, After::EndsWhenTaken},
        {"E28", {has(kProductName, "PotPlayer"), isExactly(kResult, "0.0.0.0")}, {hook(take<potPlayerLibraries>)}},
    };
    return kRows;
}

std::span<const VersionRow> productRecordRules() {
    static const std::vector<VersionRow> kRows = {
        // The suite's record stands in its helpers too: only the suite's own program has a version.
        {"E-ASC", {has(kProductName, "Advanced SystemCare"), !is(kFile, "ASC")}, {clear()}, After::Ends},
    };
    return kRows;
}

std::span<const VersionRow> fileNameRules() {
    static const std::vector<VersionRow> kRows = {
        {"F1", {is(kProductName, "AdwCleaner")}, {hook(take<adwCleanerVersion>)}},
        {"F2", {is(kFile, "songbird"), !empty(kResult)}, {hook(take<siblingWithoutNames>, "Songbird-Uninstall.exe")}},
        {"F3", {is(kFile, "songbird"), !empty(kResult), has(kInfoProduct, "songbird")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F4", {is(kFile, "Kobo"), has(kProductName, "Kobo")}, {hook(take<koboVersion>)}, After::Ends},
        {"F5", {is(kFileName, "firefox.exe"), any({isExactly(kInfoProduct, "Firefox"), isExactly(kInfoProduct, "Minefield")}), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F6", {is(kFileName, "Instantbird.exe"), isExactly(kInfoProduct, "Instantbird"), has(kInfoCompany, "Instantbird")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F7", {is(kFileName, "TagRename.exe")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F8", {has(kProductName, "Directory Opus")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F9", {is(kFileName, "thunderbird.exe"), isExactly(kInfoProduct, "Thunderbird"), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F10", {is(kFileName, "seamonkey.exe"), isExactly(kInfoProduct, "SeaMonkey"), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F11", {is(kFileName, "sunbird.exe"), isExactly(kInfoProduct, "Sunbird"), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F12", {any({is(kFile, "VC10Play"), is(kFile, "vc10Center")})}, {hook(take<versionOfRewrittenFile>, "VC10Start.exe")}, After::EndsWhenTaken},
        {"F13", {any({ends(kPath, rulePath("service\\SystemExplorerService.exe")), ends(kPath, rulePath("service\\SystemExplorerService64.exe"))})}, {hook(take<systemExplorerVersion>)}, After::EndsWhenTaken},
    };
    return kRows;
}

std::span<const VersionRow> reconciliationOpeningRules() {
    static const std::vector<VersionRow> kRows = {
        {"G1", {startsExactly(kResult, "0."), hasExactly(kProductName, "PDF"), hasExactly(kCompanyName, "Softland")}, {dropPrefix("0.")}},
        {"G2", {any({has(kFileName, "winzip"), all({starts(kFileName, "wz"), startsExactly(kResult, "1.")})})}, {hook(take<winZipVersion>)}, After::Ends},
    };
    return kRows;
}

std::span<const VersionRow> reconciliationMiddleRules() {
    static const std::vector<VersionRow> kRows = {
        {"G3", {hasExactly(kPath, "LimeWire"), !empty(kResult)}, {hook(take<limeWireUninstaller>)}},
    };
    return kRows;
}

std::span<const VersionRow> reconciliationClosingRules() {
    static const std::vector<VersionRow> kRows = {
        {"G4", {is(kProductName, "ThreatFire")}, {setField(kProductVersion)}},
        {"G5", {starts(kProductName, "Thaiphoon Burner"), is(kFile, "Thaiphoon")}, {setField(kProductVersion)}},
        {"G6", {any({is(kProductName, "Skype"), is(kProductName, "Skype Classic")}), hasExactly(kCompanyName, "Skype")}, {hook(take<zeroRelease>)}},
        {"G7", {starts(kProductName, "Internet Download Manager")}, {hook(take<internetDownloadManagerVersion>)}},
        {"G8", {hasExactly(kProductName, "TuneUp"), hasExactly(kCompanyName, "TuneUp Software")}, {hook(take<zeroBuild>)}},
        {"G9", {has(kProductName, "LibreOffice"), has(kCompanyName, "Document Foundation")}, {takeProduct<Product::LibreOffice>()}},
        {"G10", {is(kProductName, "WD Security"), has(kCompanyName, "Western Digital")}, {hook(take<uninstallVersion, digitsNonEmpty>, "WD Security")}},
        {"G11", {is(kProductName, "WD Drive Utilities"), has(kCompanyName, "Western Digital")}, {hook(take<uninstallVersion, digitsNonEmpty>, "WD Drive Utilities")}},
        {"G12", {any({is(kProductName64, "Malwarebytes"), all({has(kProductName, "Malwarebytes Anti-Malware"), !has(kProductName, "clean")})}), isExactly(kExtension, ".exe")}, {hook(take<malwarebytesVersion>)}},
        {"G13", {has(kProductName, "Malwarebytes Anti-Ransomware"), isExactly(kExtension, ".exe")}, {hook(take<malwarebytesArVersion, nonEmpty>)}},
        {"G14", {any({hasExactly(kProductName, "Java(TM)"), hasExactly(kProductName, "JavaFX(TM)")}), hasExactly(kCompanyName, "Oracle"), probe(productVersionIsValid)}, {setField(kProductVersion)}},
        {"G15", {hasExactly(kProductName, "Java"), hasExactly(kProductName, "Platform SE"), !is(kFile, "java")}, {hook(take<javaLauncherVersion>)}},
        {"G16", {starts(kProductName, "Wondershare Filmora")}, {hook(take<filmoraPlayerVersion>)}},
        {"G17", {has(kProductName, "EaseUS")}, {hook(take<easeUsUninstallVersion>)}},
        {"G18", {is(kProductName, "Ultimate TagScanner")}, {hook(take<tagScannerVersion>)}},
        {"G19", {is(kFile, "reader_sl")}, {hook(take<acrobatReaderVersion>)}},
        {"G20", {is(kFile, "siw")}, {hook(take<siblings>, "siw64.exe|siw32.exe")}, After::EndsWhenTaken},
        {"G21", {is(kProductName, "HiSuite")}, {hook(take<iniKey, digitsOnly>, "runinfo.ini|version|version")}},
        {"G22", {is(kProductName, "BlueGriffon")}, {hook(take<iniKey, digitsOnly>, "application.ini|App|version")}},
        {"G23", {probe(productNameWithin, "Spybot - Search & Destroy")}, {hook(take<zeroBuild>)}},
        {"G24", {starts(kProductName, "Brave Browser")}, {hook(take<braveVersion>)}},
        {"G25", {is(kProductName, "jv16 PowerTools")}, {hook(take<jv16Version>)}},
        {"G26", {starts(kProductName, "Winmerge"), startsExactly(kResult, "0.2011.")}, {dropPrefix("0.")}},
        {"G27", {starts(kProductName, "Tor Browser")}, {hook(take<torBrowserChangelog>)}},
        {"G28", {starts(kProductName, "madVR")}, {hook(take<madVrChangelog>)}},
        {"G29", {starts(kCompanyName, "SoftMaker ")}, {hook(take<softMakerVersion>)}, After::Ends},
    };
    return kRows;
}
// clang-format on

} // namespace dm::update
