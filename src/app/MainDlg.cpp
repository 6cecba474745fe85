// The main window: its components, its menu, its texts and its resizing.
#include "app/MainDlg.h"

#include "app/AboutDlg.h"
#include "app/ApplicationEvents.h"
#include "app/ErrorReport.h"
#include "app/GroupTitleStyle.h"
#include "app/ImageList.h"
#include "app/PictureButton.h"
#include "framework/RunLog.h"
#include "localisation/LangDlg.h"
#include "localisation/LangList.h"
#include "localisation/PublishedProperties.h"
#include "localisation/TextStorage.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/ScreenPlacement.h"
#include "platform/system/SystemInfo.h"
#include "ui_MainDlg.h"
#include "update/identify/IdentifyContext.h"
#include "update/net/FileGrabber.h"
#include "update/net/VigilLite.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QShowEvent>
#include <QTimer>

// Pictures of the forms, compiled into this library.
static void initFormPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace dm {

namespace {

// The texts the window's code sets at run time, in table order.
const QStringList kMainTexts = {
    "Empty slot !", "Click here to get more RAM", "Number of slots :", "Maximum memory :", "GB",
    "Parameter", "Value", "Slot Name", "Capacity", "Manufacturer", "Model", "Type",
    "Current memory :", "Used :", "Total :",
    "A new version of Dimmetric is available. Do you want to download update now ?",
    "Dimmetric is already up to date.", "B", "KB", "MB", "TB", "Serial#",
    // Texts added later go last, so that the lines of existing language files keep their places.
    "The update check could not be made.", "The update server could not be reached.",
    "The update server answered, but not with a version number."};

constexpr int kDesignClientWidth = 751;
constexpr int kDesignClientHeight = 495;

} // namespace

MainDlg::MainDlg(const platform::Platform& platform, ProgramStart start, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform), start_(std::move(start)), ui_(std::make_unique<Ui::MainDlg>()),
      sizes_(platform.system.decimalSeparator()) {
    initFormPictures();
    ui_->setupUi(this);
    ui_->client->setObjectName(QString()); // layout holder only, not a component of the form
    slotControls_ = {{{ui_->slot1_grp, ui_->lst1, ui_->getSpec1_btn, ui_->getRAM1_btn},
                      {ui_->slot2_grp, ui_->lst2, ui_->getSpec2_btn, ui_->getRAM2_btn},
                      {ui_->slot3_grp, ui_->lst3, ui_->getSpec3_btn, ui_->getRAM3_btn},
                      {ui_->slot4_grp, ui_->lst4, ui_->getSpec4_btn, ui_->getRAM4_btn}}};

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    // The substitutes for the designed font run wider: narrow them to keep texts in their places.
    font.setStretch(82);
    setFont(font);
    QFont bold = font;
    bold.setBold(true);
    ui_->Label2->setFont(bold);

    // The banner: dark panel, silver title, white subtitle.
    QPalette banner = ui_->top_pnl->palette();
    banner.setColor(QPalette::Window, Qt::black);
    ui_->top_pnl->setPalette(banner);
    QPalette title = ui_->Label2->palette();
    title.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    ui_->Label2->setPalette(title);
    QPalette subtitle = ui_->subtitle_lbl->palette();
    subtitle.setColor(QPalette::WindowText, Qt::white);
    ui_->subtitle_lbl->setPalette(subtitle);

    // The form's items captioned "-" become separator lines, as a language file's would.
    for (QAction* line : {ui_->N2, ui_->N3, ui_->N4})
        writePublished(line, Published::Caption, line->text());

    createComponents();
    connectMenu();
    putGroupTitlesOnFrames(this);

    setWindowIcon(QIcon(QStringLiteral(":/pictures/dimmetric.png")));
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(kDesignClientWidth, kDesignClientHeight + menuHeight);
    move(198, 179);
    try {
        FormCreate();
    } catch (const std::exception& error) {
        reportError(error.what());
    }
}

MainDlg::~MainDlg() {
    FormDestroy();
}

void MainDlg::createComponents() {
    appEvt_ = new ApplicationEvents(this);
    appEvt_->setObjectName("AppEvt");
    appEvt_->OnActivate = [this] { AppEvtActivate(); };

    imageList96_ = new ImageList(this);
    imageList96_->setObjectName("ImageList96");
    imageList96_->Add(QPixmap(QStringLiteral(":/pictures/emptyslot.png")));
    imageList96_->Add(QPixmap(QStringLiteral(":/pictures/drivers.png")));

    memTmr_ = new QTimer(this);
    memTmr_->setObjectName("Mem_tmr");
    memTmr_->setInterval(1000);
    connect(memTmr_, &QTimer::timeout, this, &MainDlg::Mem_tmrTimer);

    lng_ = new LangList(this, platform_, start_.Parameters);
    lng_->setObjectName("lng");
    lng_->SetLanguageIndex(0);
    lng_->setFilePrefix("QV_");
    lng_->setRegKey("Software\\Brackenway\\Dimmetric");
    lng_->setAfterLanguageSwitch([this](QObject* sender) { lngAfterLanguageSwitch(sender); });
    connect(lng_, &LangList::templateNotWritten, this, &MainDlg::templateNotWritten);

    mainTS_ = new TextStorage(this);
    mainTS_->setObjectName("mainTS");
    mainTS_->setItems(kMainTexts);
    mainTS_->Loaded();
    // The language list hooks the first activation before the window does: at that activation
    // its handler runs first.
    lng_->Loaded();
    appEvt_->Loaded();

    ui_->drivers_btn->setPicture(imageList96_->picture(1));
    const QPixmap glyph(QStringLiteral(":/pictures/module-search.png"));
    for (const SlotControls& controls : slotControls_) {
        controls.getSpec->setPicture(glyph);
        controls.emptySlot->setPicture(imageList96_->picture(0));
    }
}

void MainDlg::connectMenu() {
    connect(ui_->Quit1, &QAction::triggered, this, &MainDlg::Quit1Click);
    connect(ui_->ext1, &QAction::triggered, this, &MainDlg::ext1Click);
    connect(ui_->Spreadsheet1, &QAction::triggered, this, &MainDlg::Spreadsheet1Click);
    connect(ui_->Language1, &QAction::triggered, this, &MainDlg::Language1Click);
    connect(ui_->About1, &QAction::triggered, this, &MainDlg::About1Click);
    connect(ui_->Checkforupdate1, &QAction::triggered, this, [this] {
        // An error of the executable's identification reaches the error report.
        try {
            Checkforupdate1Click();
        } catch (const std::exception& error) {
            reportError(error.what());
        }
    });
    connect(ui_->Openlogfile1, &QAction::triggered, this, &MainDlg::Openlogfile1Click);
    connect(ui_->ChangeLog1, &QAction::triggered, this, &MainDlg::ChangeLog1Click);
    connect(ui_->BugreportFeaturerequestKnownissues1, &QAction::triggered, this,
            &MainDlg::BugreportFeaturerequestKnownissues1Click);
    connect(ui_->drivers_btn, &QAbstractButton::clicked, this, [this] {
        // A value of another type than text reaches the error report.
        try {
            drivers_btnClick();
        } catch (const std::exception& error) {
            reportError(error.what());
        }
    });
    for (int slot = 1; slot <= 4; ++slot) {
        const SlotControls& controls = slotControls(slot);
        connect(controls.getSpec, &QAbstractButton::clicked, this,
                [this, slot] { getSpecClick(slot); });
        connect(controls.emptySlot, &QAbstractButton::clicked, this, &MainDlg::getRAM_btnClick);
    }
}

std::string MainDlg::TS(const std::string& english) const {
    return platform::fromQt(mainTS_->Translate(platform::toQt(english)));
}

void MainDlg::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Components anchored to the right edge follow it.
    const int delta = width() - kDesignClientWidth;
    ui_->top_pnl->resize(764 + delta, ui_->top_pnl->height());
    ui_->subtitle_lbl->resize(529 + delta, ui_->subtitle_lbl->height());
    ui_->drivers_btn->move(608 + delta, ui_->drivers_btn->y());
    ui_->general_grp->resize(743 + delta, ui_->general_grp->height());
    // A slot group that the general group no longer holds whole is cut off, and none of it
    // shows: however thin the window system's frame, the narrowed window shows no sliver of the
    // second column.
    for (const SlotControls& controls : slotControls_)
        controls.group->setVisible(ui_->general_grp->rect().contains(controls.group->geometry()));
}

void MainDlg::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // At its designed position when its frame fits the screen's free area there, else moved on.
    if (!event->spontaneous())
        platform::keepOnScreen(*this);
    if (shown_)
        return;
    shown_ = true;
    // Without a window manager, or when it keeps the focus elsewhere, the application is not
    // activated at start: its first showing then stands for that activation, handlers in order.
    QTimer::singleShot(0, this, [this] {
        if (QGuiApplication::applicationState() == Qt::ApplicationActive || !appEvt_->OnActivate)
            return;
        try {
            lng_->FirstActivation();
        } catch (const std::exception& error) {
            reportError(error.what());
        }
        if (appEvt_->OnActivate)
            appEvt_->OnActivate();
    });
}

void MainDlg::Quit1Click() {
    close();
}

void MainDlg::setDialogs(AboutDlg* about, LangDlg* language) {
    aboutDlg_ = about;
    langDlg_ = language;
}

void MainDlg::Language1Click() {
    if (langDlg_)
        langDlg_->Execute();
}

void MainDlg::About1Click() {
    if (aboutDlg_)
        aboutDlg_->Execute();
}

void MainDlg::reportError(const std::string& text) {
    // A report already on screen is not stacked with another (a failing timer keeps ticking).
    if (reportingError_)
        return;
    reportingError_ = true;
    showErrorReport(platform_.messageBox, this, kTitle, text);
    reportingError_ = false;
}

} // namespace dm
