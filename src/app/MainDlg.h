// The main window: banner, "General" figures, the four slot groups, the menu and components.
#pragma once

#include "framework/FormatSize.h"
#include "platform/Platform.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QGroupBox;
class QTimer;
class QTreeWidget;

namespace Ui {
class MainDlg;
}

namespace dm {

namespace update {
class FileGrabber;
class VigilLite;
struct IdentifyContext;
} // namespace update
class AboutDlg;
class ApplicationEvents;
class ImageList;
class LangDlg;
class LangList;
class PictureButton;
class RunLog;
class TextStorage;

// How the program was started: its executable's full path and its command-line parameters.
struct ProgramStart {
    std::string ExeName;
    std::vector<std::string> Parameters;
};

// The main window: the banner, the "General" group with the system and memory figures and the
// four slot groups, the main menu, and the window's non-visual components.
class MainDlg : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Dimmetric";

    MainDlg(const platform::Platform& platform, ProgramStart start, QWidget* parent = nullptr);
    ~MainDlg() override;

    // Caption from the executable's version; the empty-slot buttons' text.
    void UpdateCaption();
    // Fills the window from the memory inventory.
    void ScanSlots();
    // One memory-load sample.
    void Mem_tmrTimer();
    // Writes the shown slot lists to data folder + "export." + extension, then opens the file.
    void ExportSlots(const std::string& separator, const std::string& extension);
    void ext1Click();
    void Spreadsheet1Click();
    void Quit1Click();
    // The page for key in section "links" of the downloaded links file, else the product page.
    std::string GetLink(const std::string& key) const;
    // The empty-slot buttons: the page the links file names for "ram".
    void getRAM_btnClick();
    // The maker's driver-update program when it is there, else its web page.
    void drivers_btnClick();
    void ChangeLog1Click();
    void BugreportFeaturerequestKnownissues1Click();
    // Writes the log and opens it.
    void Openlogfile1Click();
    // Starts an update check unless one is running; the first activation's silent check too.
    void Checkforupdate1Click();
    // The end of every update check: the question when a newer version is out, else (for a
    // check asked for from the menu) that the program is up to date, or that the check could not
    // be made and why.
    void OnUpdateResult(update::VigilLite& sender);
    // Shows the language dialog; a choice there applies itself.
    void Language1Click();
    // Shows the about box.
    void About1Click();
    // "Get Specification" of slot 1 to 4.
    void getSpecClick(int slot);
    // End of the window's creation: a copy that is not installed takes its settings from the
    // "settings.ini" beside it.
    void FormCreate();
    // The first activation of the application; runs once.
    void AppEvtActivate();
    // The window's close: the VirtualStore clean-up, and for a portable copy the removal of its
    // traces, its settings kept in "settings.ini".
    void FormClose();
    // Frees the downloader, the checker and the log, in that order.
    void FormDestroy();
    // Refresh after a language switch.
    void lngAfterLanguageSwitch(QObject* sender);
    // The template "-co" asked for could not be written: the log says so once it exists (the
    // language list writes the template before the first activation makes the log), and a warning
    // box tells the user once the start is over; the program runs on.
    void templateNotWritten(const std::string& fileName, const std::string& reason);

    static bool HasModel(const QTreeWidget& list);
    static void AutoSizeColumns(QTreeWidget& list);

    // The translation of english in mainTS.
    std::string TS(const std::string& english) const;

    // The about box and the language dialog the menu shows (made after the window).
    void setDialogs(AboutDlg* about, LangDlg* language);
    // The application's error report for an error no handler caught.
    void reportError(const std::string& text);

    RunLog* Log() const { return log_.get(); }
    update::FileGrabber* Grabber() const { return grabber_.get(); }
    update::VigilLite* Checker() const { return checker_.get(); }
    bool Silent() const { return silent_; }
    TextStorage* mainTS() const { return mainTS_; }
    LangList* lng() const { return lng_; }

signals:
    // The first activation has run to its end (scan done, timer started).
    void firstActivationDone();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createComponents();
    void connectMenu();
    void logInfo(const std::string& message);
    // IsSoftwareInstalled("Brackenway Dimmetric"): false for a portable copy.
    bool isInstalled();
    update::IdentifyContext& identifyContext();
    // Through the shell with the window as owner, or without an owner and error messages.
    void openOwned(const std::string& address);
    void openDetached(const std::string& file);
    void narrowToFirstColumn();
    // Hands the size formatter the unit names of the current language.
    void setSizeUnits();
    // The controls of one slot group.
    struct SlotControls {
        QGroupBox* group;
        QTreeWidget* list;
        PictureButton* getSpec;
        PictureButton* emptySlot;
    };
    // The controls of slot 1 to 4.
    const SlotControls& slotControls(int slot) const { return slotControls_.at(slot - 1); }

    const platform::Platform platform_;
    ProgramStart start_;
    std::unique_ptr<Ui::MainDlg> ui_;
    std::array<SlotControls, 4> slotControls_{};
    ApplicationEvents* appEvt_ = nullptr;
    ImageList* imageList96_ = nullptr;
    QTimer* memTmr_ = nullptr;
    LangList* lng_ = nullptr;
    TextStorage* mainTS_ = nullptr;
    AboutDlg* aboutDlg_ = nullptr;
    LangDlg* langDlg_ = nullptr;
    std::unique_ptr<update::IdentifyContext> identify_;
    std::unique_ptr<RunLog> log_;
    std::unique_ptr<update::FileGrabber> grabber_;
    std::unique_ptr<update::VigilLite> checker_;
    bool silent_ = false;
    SizeFormatter sizes_;
    // The first activation has handed over the translated unit names; from then on every
    // language switch hands over its own.
    bool sizeUnitsSet_ = false;
    bool reportingError_ = false;
    // Why the template could not be written; empty when it was, or was not asked for.
    std::string templateFailure_;
    bool shown_ = false;
    // The close sequence has run.
    bool closed_ = false;
};

} // namespace dm
