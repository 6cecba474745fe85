#include "update/identify/version/VersionRules.h"

#include "update/identify/rules/RulePath.h"
#include "update/identify/uninstall/ProductSearches.h"
#include "update/identify/uninstall/ProductVersionReaders.h"
#include "update/identify/version/VersionSources.h"

#include <vector>

namespace dm::update {

namespace {

using namespace rules;

// The short names the rows use for their texts.
constexpr int kPN = kProductName;
constexpr int kPN64 = kProductName64;
constexpr int kCN = kCompanyName;
constexpr int kBN = kBaseName;
constexpr int kFV = kFileVersion;
constexpr int kPV = kProductVersion;

// The text passes IsDigitsAndDots (the empty text too).
Check digits(int field) {
    return onlyChars(field, "0123456789.");
}

// Ends the chain when the row left a non-empty result.
RuleStep endWhenSet() {
    return when({!empty(kResult)}, end());
}

template <std::string (*reader)(IdentifyContext&)> RuleStep takeReader() {
    return hook(take<fromReader<reader>>);
}

} // namespace

// clang-format off
std::span<const RuleRow> shortCodeRules() {
    static const std::vector<RuleRow> rows = {
        {"A1", {isExactly(kFileName, "CCCP")}, {takeReader<GetProductVersion_CCCP>()}, After::Ends},
        {"A2", {isExactly(kFileName, "QTA")}, {takeReader<GetProductVersion_QTAlternative>()}, After::Ends},
        {"A3", {isExactly(kFileName, "QTL")}, {takeReader<GetProductVersion_QTLite>()}, After::Ends},
        {"A4", {isExactly(kFileName, "KLITE")}, {takeReader<GetProductVersion_KLite>()}, After::Ends},
        {"A5", {isExactly(kFileName, "KLITE64")}, {takeReader<GetProductVersion_KLite64>()}, After::Ends},
        {"A6", {isExactly(kFileName, "KLITEMEGA")}, {takeReader<GetProductVersion_KLiteMega>()}, After::Ends},
        {"A7", {isExactly(kFileName, "HASHTAB")}, {hook(take<hashTabVersion>)}, After::Ends},
        {"A8", {isExactly(kFileName, "OPENHASHTAB")}, {takeReader<GetProductVersion_OpenHashTab>()}, After::Ends},
        {"A9", {isExactly(kFileName, "QTTABBAR")}, {takeReader<GetProductVersion_QtTabBar>()}, After::Ends},
    };
    return rows;
}

std::span<const RuleRow> earlyRules() {
    static const std::vector<RuleRow> rows = {
        {"B1", {is(kBN, "unlocker")}, {hook(take<uninstallVersionInFolder, digitsOnly>, "Unlocker")}},
        {"B2", {starts(kBN, "gimp")}, {takeReader<GetProductVersion_Gimp>()}},
        {"B3", {starts(kBN, "glimpse")}, {takeReader<GetProductVersion_Glimpse>()}},
        {"B4", {starts(kBN, "ff_vfw")}, {takeReader<GetFfdshowVersion>()}},
        {"B5", {starts(kBN, "xvidvfw")}, {takeReader<GetProductVersion_Xvid>()}},
        {"B6", {is(kPN, "XVid Video Codec")}, {takeReader<GetProductVersion_Xvid>()}},
        {"B7", {starts(kBN, "ffdshow.ax")}, {takeReader<GetFfdshowVersion>()}},
        {"B8", {starts(kBN, "launchy")}, {takeReader<GetProductVersion_Launchy>()}},
        {"B9", {is(kBN, "eac")}, {hook(take<uninstallVersion>, "Exact Audio Copy")}},
        {"B10", {has(kPN, "ashampoo snap")}, {takeReader<GetProductVersion_AshampooSnap>()}},
        {"B11", {is(kCN, "Yamicsoft"), has(kPN, "Manager"), has(kPN, "Windows")}, {takeReader<GetUninstallVersionByPublisher>()}},
    };
    return rows;
}

std::span<const RuleRow> beforeReadingRules() {
    static const std::vector<RuleRow> rows = {
        {"C1", {is(kCN, "Yamicsoft"), has(kPN, "Manager"), has(kPN, "Windows")}, {hook(take<yamicsoftLibrary>)}, After::EndsWhenTaken},
        {"C2", {is(kPN, "JDownloader")}, {hook(take<jDownloaderBuild>)}, After::Ends},
        {"C3", {any({is(kPN, "Vuze"), starts(kPN, "Vuze (")})}, {takeReader<GetProductVersion_Vuze>(), endWhenSet()}},
        {"C4", {is(kPN, "SSD Dashboard"), is(kCN, "Western Digital")}, {hook(take<uninstallVersionInFolder>, "Dashboard"), endWhenSet()}},
        {"C5", {is(kPN, "Ashampoo WinOptimizer")}, {hook(take<uninstallVersionInFolderElseAny>, "ashampoo WinOptimizer"), endWhenSet()}},
        {"C6", {is(kPN64, "MediathekView")}, {hook(take<uninstallVersion>, "MediathekView"), endWhenSet()}},
        {"C7", {is(kPN64, "LatencyMon")}, {hook(take<uninstallVersion>, "LatencyMon"), endWhenSet()}},
        {"C8", {starts(kPN64, "Citrix Workspace")}, {hook(take<uninstallVersion>, "Citrix Workspace"), endWhenSet()}},
        {"C9", {is(kPN64, "Zortam Mp3 Media Studio")}, {hook(take<uninstallTrailingNumber>, "Zortam Mp3 Media Studio"), endWhenSet()}},
        {"C10", {starts(kPN, "Screencast-O-Matic")}, {hook(take<screencastOMaticVersion>), endWhenSet()}},
        {"C11", {starts(kPN, "Ventoy")}, {hook(take<ventoyVersionFile>), endWhenSet()}},
        {"C12", {is(kPN, "8GadgetPack")}, {hook(take<uninstallVersion>, "8GadgetPack"), endWhenSet()}},
        {"C13", {is(kPN, "IceCream Ebook reader")}, {hook(take<uninstallVersion>, "IceCream Ebook reader"), endWhenSet()}},
        {"C14", {has(kPN, "StarMoney")}, {hook(take<uninstallVersion>, "StarMoney"), endWhenSet()}},
        {"C15", {is(kPN64, "NVIDIA GeForce Experience")}, {hook(take<uninstallVersion>, "NVIDIA GeForce Experience"), endWhenSet()}},
        {"C16", {starts(kPN, "Screencast-O-Matic")}, {hook(take<uninstallFirstWord>, "Screencast-O-Matic"), endWhenSet()}},
        {"C17", {is(kPN64, "AMD Ryzen Master")}, {hook(take<uninstallVersion>, "AMD Ryzen Master"), endWhenSet()}},
        {"C18", {is(kPN64, "Radeon Software")}, {hook(take<uninstallVersion>, "AMD Software"), endWhenSet()}},
        {"C19", {starts(kPN, "OWASP Zed Attack Proxy")}, {hook(take<uninstallVersion>, "OWASP Zed Attack Proxy"), endWhenSet()}},
        {"C20", {starts(kPN, "Waterfox G")}, {hook(take<waterfoxVersion>)}, After::EndsWhenTaken},
        {"C21", {is(kPN, "Ashampoo Undeleter")}, {takeReader<GetProductVersion_AshampooUndeleter>(), endWhenSet()}},
        {"C22", {is(kPN64, "Plex")}, {hook(take<uninstallVersionInFolder>, "Plex"), endWhenSet()}},
        {"C23", {is(kPN64, "Plex Media Player")}, {hook(take<uninstallVersion>, "Plex Media Player"), endWhenSet()}},
        {"C24", {is(kBN, "GlyphClient")}, {hook(take<siblings>, "GlyphClientApp.exe")}, After::EndsWhenTaken},
        {"C25", {is(kBN, "wweb32")}, {hook(take<siblings>, "wwnotray.exe")}, After::EndsWhenTaken},
        {"C26", {is(kBN, "RevoUPort")}, {hook(take<siblings>, "x86\\RevoUn.exe")}, After::EndsWhenTaken},
        {"C27", {any({is(kBN, "RevoUPPort"), is(kBN, "RevoUninstallerProPortable")})}, {hook(take<siblings>, "x86\\RevoUnPro.exe")}, After::EndsWhenTaken},
        {"C28", {starts(kPN, "Linqpad")}, {hook(take<siblings>, "LINQPad.Runtime.dll")}, After::EndsWhenTaken},
        {"C29", {any({is(kBN, "StartUI"), is(kBN, "avcenter")})}, {hook(take<siblings>, "avshadow.exe")}, After::EndsWhenTaken},
        {"C30", {is(kBN, "WindscribeLauncher")}, {hook(take<siblings>, "Windscribe.exe")}, After::EndsWhenTaken},
        {"C31", {starts(kPN, "Librewolf Portable")}, {hook(take<siblings>, "Librewolf\\Librewolf.exe")}, After::EndsWhenTaken},
        {"C32", {any({is(kBN, "ubisoftconnect"), has(kBN, "Uplay")})}, {hook(take<siblings>, "upc.exe|UbisoftGameLauncher.exe")}, After::EndsWhenTaken},
        {"C33", {has(kPN, "Inno Setup"), is(kBN, "compil32")}, {hook(take<uninstallVersion>, "Inno Setup")}, After::Ends},
        {"C34", {has(kPN, "CloudBuckit")}, {hook(take<siblings>, "bin\\CloudBuckItApp.exe")}, After::EndsWhenTaken},
        {"C35", {has(kPN, "Airdroid")}, {hook(take<siblings>, "AirDroid.exe")}, After::EndsWhenTaken},
        {"C36", {has(kPN, "O&O Defrag")}, {hook(take<siblings>, "oodag.exe")}, After::EndsWhenTaken},
        {"C37", {is(kBN, "mbae-test")}, {hook(take<siblings>, "mbae.exe")}, After::EndsWhenTaken},
    };
    return rows;
}

std::span<const RuleRow> adjustmentRules() {
    static const std::vector<RuleRow> rows = {
        {"D1", {is(kBN, "partitionwizard"), empty(kResult)}, {hook(take<versionAfterDash>, "MiniTool Partition Wizard")}, After::EndsWhenTaken},
        {"D2", {is(kBN, "seatools"), empty(kResult)}, {hook(take<uninstallVersionInFolderAsVersion>, "SeaTools")}, After::EndsWhenTaken},
        {"D3", {is(kPN, "AudioConverter Studio")}, {hook(take<audioConverterWhatsNew>)}},
        {"D4", {is(kPN, "EaseUS Data Recovery Wizard")}, {hook(take<easeUsInstallLog>)}},
        {"D5", {is(kBN, "DRW")}, {hook(take<drwCandidates>)}},
        {"D6", {is(kBN, "gswin32"), empty(kResult), probe(fileExistsNonEmpty)}, {hook(take<ghostscriptFolder>)}},
        {"D7", {is(kPN, "Thonny")}, {hook(take<uninstallVersion>, "Thonny")}},
        {"D8", {is(kBN, "nsis"), empty(kResult)}, {hook(take<uninstallVersion>, "Nullsoft Install System")}},
        {"D9", {has(kPN, "ArtMoney"), isExactly(kResult, "1.0.0.0"), digitsAfter(kBN, "am")}, {hook(take<uninstallVersion>, "ArtMoney")}},
        {"D10", {isExactly(kResult, "0.0.0.0"), isExactly(kPN, "Google Chrome")}, {hook(take<highestSubfolderVersion>)}, After::Ends},
        {"D11", {is(kPN, "Paint.NET")}, {hook(take<paintNetVersion>)}, After::Ends},
        {"D12", {is(kPN, "photoscape")}, {hook(take<photoscapeMarker>)}, After::EndsWhenTaken},
        {"D13", {is(kBN, "dosbox")}, {hook(take<dosboxMarker>)}, After::EndsWhenTaken},
    };
    return rows;
}

std::span<const RuleRow> recordRules() {
    static const std::vector<RuleRow> rows = {
        {"E1", {starts(kPN, "DBeaver Community"), empty(kResult)}, {hook(take<dbeaverReadme>)}, After::EndsWhenTaken},
        {"E2", {has(kInfoCompany, "NW.JS"), has(kInfoProduct, "NWJS")}, {hook(take<uninstallVersionOfProductInFolder, nonEmpty>)}},
        {"E3", {has(kBN, "IObitUnlocker")}, {hook(take<uninstallVersionInFolder, digitsOnly>, "Unlocker")}},
        {"E4", {has(kPN, "Bleachbit"), empty(kResult)}, {hook(take<bleachbitVersion>), endWhenSet()}},
        {"E5", {is(kBN, "OpenVPNConnect"), digits(kFV)}, {hook(take<openVpnConnectBuild>)}, After::Ends},
        {"E6", {starts(kPN, "VirtualDub2")}, {hook(take<virtualDubReadme>)}, After::EndsWhenTaken},
        {"E7", {starts(kPN, "PowerShell")}, {hook(take<powerShellVersion>)}, After::Ends},
        {"E8", {is(kPN, "Grammarly"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E9", {starts(kPN, "Brave Portable"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E10", {starts(kPN, "Logitech Media Server"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E11", {is(kPN, "Trident Z Lighting Control")}, {hook(take<fileVersionWithoutV>)}, After::EndsWhenTaken},
        {"E12", {starts(kPN, "Ant Download Manager"), is(kBN, "AntDM"), digits(kPV)}, {hook(take<newerProductVersion>)}, After::EndsWhenTaken},
        {"E13", {has(kPN, "WSCC"), any({is(kBN, "wscc"), is(kBN, "wscc64")}), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E14", {has(kPN, "Trader WorkStation"), startsExactly(kResult, "1.")}, {hook(take<traderWorkstationVersion>)}, After::EndsWhenTaken},
        {"E15", {has(kPN, "DWG TrueView")}, {hook(take<productVersionWithoutR>)}, After::EndsWhenTaken},
        {"E16", {has(kPN, "iSCSIAgent"), is(kBN, "iSCSIAgent"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E17", {has(kPN, "MiKTeX"), has(kCN, "TeX"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E18", {has(kPN, "PowerPanel"), has(kCN, "Cyber"), startsExactly(kResult, "0.")}, {hook(take<uninstallVersion, nonEmpty>, "CyberPower PowerPanel")}},
        {"E19", {starts(kPN, "Password Tech")}, {hook(take<passwordTechVersion>)}},
        {"E20", {is(kPN, "FastKeys")}, {hook(take<fastKeysVersion>)}, After::EndsWhenTaken},
        {"E21", {is(kBN, "VoodooShield"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E22", {any({all({has(kPN, "ESET"), any({has(kPN, "Security"), has(kPN, "Antivirus")})}), starts(kPN, "ESET Main GUI")}), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E23", {is(kPN, "PostBox"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E24", {is(kPN, "Dante Virtual Soundcard"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E25", {is(kBN, "slack"), digits(kPV)}, {setField(kPV)}, After::Ends},
        {"E26", {has(kPN, "NetPhone Client")}, {hook(take<productVersionFirstWordDotted>)}, After::EndsWhenTaken},
        {"E27", {has(kPN, "Avidemux")}, {hook(take<descriptionSecondWord>)}, After::EndsWhenTaken},
        {"E28", {has(kPN, "PotPlayer"), isExactly(kResult, "0.0.0.0")}, {hook(take<potPlayerLibraries>)}},
    };
    return rows;
}

std::span<const RuleRow> fileNameRules() {
    static const std::vector<RuleRow> rows = {
        {"F1", {is(kPN, "AdwCleaner")}, {hook(take<adwCleanerVersion>)}},
        {"F2", {is(kBN, "songbird"), !empty(kResult)}, {hook(take<siblingWithoutNames>, "Songbird-Uninstall.exe")}},
        {"F3", {is(kBN, "songbird"), !empty(kResult), has(kInfoProduct, "songbird")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F4", {is(kBN, "Kobo"), has(kPN, "Kobo")}, {hook(take<koboVersion>)}, After::Ends},
        {"F5", {is(kFileNameExt, "firefox.exe"), any({isExactly(kInfoProduct, "Firefox"), isExactly(kInfoProduct, "Minefield")}), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F6", {is(kFileNameExt, "Instantbird.exe"), isExactly(kInfoProduct, "Instantbird"), has(kInfoCompany, "Instantbird")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F7", {is(kFileNameExt, "TagRename.exe")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F8", {has(kPN, "Directory Opus")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F9", {is(kFileNameExt, "thunderbird.exe"), isExactly(kInfoProduct, "Thunderbird"), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F10", {is(kFileNameExt, "seamonkey.exe"), isExactly(kInfoProduct, "SeaMonkey"), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F11", {is(kFileNameExt, "sunbird.exe"), isExactly(kInfoProduct, "Sunbird"), has(kInfoCompany, "mozilla")}, {hook(take<leadingProductVersion>)}, After::Ends},
        {"F12", {any({is(kBN, "VC10Play"), is(kBN, "vc10Center")})}, {hook(take<versionOfRewrittenFile>, "VC10Start.exe")}, After::EndsWhenTaken},
        {"F13", {any({ends(kFileName, rulePath("service\\SystemExplorerService.exe")), ends(kFileName, rulePath("service\\SystemExplorerService64.exe"))})}, {hook(take<systemExplorerVersion>)}, After::EndsWhenTaken},
    };
    return rows;
}

std::span<const RuleRow> reconciliationRules() {
    static const std::vector<RuleRow> rows = {
        {"G1", {startsExactly(kResult, "0."), hasExactly(kPN, "PDF"), hasExactly(kCN, "Softland")}, {dropPrefix("0.")}},
        {"G2", {any({has(kFileNameExt, "winzip"), all({starts(kFileNameExt, "wz"), startsExactly(kResult, "1.")})})}, {hook(take<winZipVersion>)}, After::Ends},
        {"G3", {hasExactly(kFileName, "LimeWire"), !empty(kResult)}, {hook(take<limeWireUninstaller>)}},
        {"G4", {is(kPN, "ThreatFire")}, {setField(kPV)}},
        {"G5", {starts(kPN, "Thaiphoon Burner"), is(kBN, "Thaiphoon")}, {setField(kPV)}},
        {"G6", {any({is(kPN, "Skype"), is(kPN, "Skype Classic")}), hasExactly(kCN, "Skype")}, {hook(take<zeroRelease>)}},
        {"G7", {starts(kPN, "Internet Download Manager")}, {hook(take<internetDownloadManagerVersion>)}},
        {"G8", {hasExactly(kPN, "TuneUp"), hasExactly(kCN, "TuneUp Software")}, {hook(take<zeroBuild>)}},
        {"G9", {has(kPN, "LibreOffice"), has(kCN, "Document Foundation")}, {takeReader<GetProductVersion_LibreOffice>()}},
        {"G10", {is(kPN, "WD Security"), has(kCN, "Western Digital")}, {hook(take<uninstallVersion, digitsNonEmpty>, "WD Security")}},
        {"G11", {is(kPN, "WD Drive Utilities"), has(kCN, "Western Digital")}, {hook(take<uninstallVersion, digitsNonEmpty>, "WD Drive Utilities")}},
        {"G12", {any({is(kPN64, "Malwarebytes"), all({has(kPN, "Malwarebytes Anti-Malware"), !has(kPN, "clean")})}), isExactly(kExtension, ".exe")}, {hook(take<malwarebytesVersion>)}},
        {"G13", {has(kPN, "Malwarebytes Anti-Ransomware"), isExactly(kExtension, ".exe")}, {hook(take<malwarebytesArVersion, nonEmpty>)}},
        {"G14", {any({hasExactly(kPN, "Java(TM)"), hasExactly(kPN, "JavaFX(TM)")}), hasExactly(kCN, "Oracle"), probe(productVersionIsValid)}, {setField(kPV)}},
        {"G15", {hasExactly(kPN, "Java"), hasExactly(kPN, "Platform SE"), !is(kBN, "java")}, {hook(take<javaLauncherVersion>)}},
        {"G16", {starts(kPN, "Wondershare Filmora")}, {hook(take<filmoraPlayerVersion>)}},
        {"G17", {has(kPN, "EaseUS")}, {hook(take<easeUsUninstallVersion>)}},
        {"G18", {is(kPN, "Ultimate TagScanner")}, {hook(take<tagScannerVersion>)}},
        {"G19", {is(kBN, "reader_sl")}, {hook(take<acrobatReaderVersion>)}},
        {"G20", {is(kBN, "siw")}, {hook(take<siblings>, "siw64.exe|siw32.exe")}, After::EndsWhenTaken},
        {"G21", {is(kPN, "HiSuite")}, {hook(take<iniKey, digitsOnly>, "runinfo.ini|version|version")}},
        {"G22", {is(kPN, "BlueGriffon")}, {hook(take<iniKey, digitsOnly>, "application.ini|App|version")}},
        {"G23", {probe(productNameWithin, "Spybot - Search & Destroy")}, {hook(take<zeroBuild>)}},
        {"G24", {starts(kPN, "Brave Browser")}, {hook(take<braveVersion>)}},
        {"G25", {is(kPN, "jv16 PowerTools")}, {hook(take<jv16Version>)}},
        {"G26", {starts(kPN, "Winmerge"), startsExactly(kResult, "0.2011.")}, {dropPrefix("0.")}},
        {"G27", {starts(kPN, "Tor Browser")}, {hook(take<torBrowserChangelog>)}},
        {"G28", {starts(kPN, "madVR")}, {hook(take<madVrChangelog>)}},
        {"G29", {starts(kCN, "SoftMaker ")}, {hook(take<softMakerVersion>)}, After::Ends},
    };
    return rows;
}
// clang-format on

} // namespace dm::update
