// The language chooser: entries with flag and text, drawn at a fixed height; click to switch.
#include "localisation/LanguageChoice.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace dm {

namespace {

constexpr int kEntryHeight = 32;
// Room the entries leave for a flag: pictures up to 28 pixels high are centred in an entry.
constexpr int kFlagRoom = 28;
constexpr QRgb kFrameColour = 0xFFFFFBF0; // a cream white

// The entries are drawn by the chooser, at a fixed height.
class EntryDelegate : public QStyledItemDelegate {
public:
    explicit EntryDelegate(LanguageChoice* chooser)
        : QStyledItemDelegate(chooser), chooser_(chooser) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        chooser_->DrawItem(*painter, index.row(), option.rect,
                           option.state.testFlag(QStyle::State_Selected));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), kEntryHeight};
    }

private:
    LanguageChoice* chooser_;
};

// Restores the cursor when the click's work ends, also by an error.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

EntryLayout layoutEntry(const QRect& entry, const QSize& flag, int textHeight) {
    const int bottom = entry.top() + entry.height(); // the first line below the entry
    const int flagTop = (entry.top() + bottom - kFlagRoom) / 2;
    return {QRect(entry.left() + 3, flagTop - 1, flag.width() + 2, flag.height() + 2),
            QPoint(entry.left() + 4, flagTop),
            QPoint(entry.left() + 2 + flag.width() + 10, (entry.top() + bottom - textHeight) / 2)};
}

LanguageChoice::LanguageChoice(QWidget* parent)
    : QFrame(parent), entries_(new QListWidget(this)), bevel_(new QFrame(this)),
      caption_(new QLabel(this)) {
    resize(121, 100);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button)); // the button face
    setPalette(face);

    caption_->setFixedHeight(16);
    bevel_->setFrameStyle(QFrame::HLine | QFrame::Raised);
    bevel_->setFixedHeight(2);
    entries_->setFrameStyle(QFrame::NoFrame);
    entries_->setFocusPolicy(Qt::StrongFocus);
    entries_->setUniformItemSizes(true);
    entries_->setItemDelegate(new EntryDelegate(this));

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(caption_);
    stack->addWidget(bevel_);
    stack->addWidget(entries_, 1);

    // Only the user's own choice switches: a click on an entry or Return on the current one.
    // The current entry also moves by the keyboard, and Qt makes the first one current when the
    // list gets the focus: neither is a choice.
    connect(entries_, &QListWidget::itemClicked, this, &LanguageChoice::chooseEntry);
    entries_->installEventFilter(this);
}

bool LanguageChoice::eventFilter(QObject* watched, QEvent* event) {
    if (watched == entries_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && entries_->currentItem()) {
            chooseEntry();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void LanguageChoice::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    // Arrows, or a press released on another entry, may have left another entry highlighted when
    // it was last shown: it opens on the current language.
    if (!event->spontaneous())
        highlightCurrentLanguage();
}

void LanguageChoice::highlightCurrentLanguage() {
    entries_->clearSelection();
    entries_->setCurrentRow(list_ && list_->languageLoaded() ? list_->LanguageIndex() : -1);
}

void LanguageChoice::chooseEntry() {
    try {
        ListClick();
    } catch (const std::exception& error) {
        if (OnError)
            OnError(error);
    }
}

LanguageChoice::~LanguageChoice() {
    unchain();
}

void LanguageChoice::SetLanguageList(LangList* list) {
    unchain();
    list_ = list;
    entries_->clear();
    if (!list)
        return;
    list->ScanLanguageFiles();
    for (const LanguageEntry& entry : list->entries())
        entries_->addItem(platform::toQt(entry.text));
    savedAfterSwitch_ = list->AfterLanguageSwitch();
    list->setAfterLanguageSwitch([this](QObject* sender) { LanguageSwitched(sender); });
    chained_ = true;
}

void LanguageChoice::unchain() {
    if (chained_ && list_)
        list_->setAfterLanguageSwitch(savedAfterSwitch_);
    chained_ = false;
    savedAfterSwitch_ = nullptr;
}

void LanguageChoice::LanguageSwitched(QObject*) {
    if (!list_)
        return;
    entries_->setCurrentRow(list_->LanguageIndex());
    if (savedAfterSwitch_)
        savedAfterSwitch_(this);
    caption_->setText(QStringLiteral("  ") + platform::toQt(list_->GetCurrentLanguageName()));
}

void LanguageChoice::ListClick() {
    if (!list_)
        return;
    {
        const WaitCursor hourglass;
        // Pending paints and timers run; input waits until the switch is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        list_->SetLanguageIndex(entries_->currentRow());
        caption_->setText(platform::toQt(list_->GetCurrentLanguageName()));
    }
    if (OnClick)
        OnClick(this);
}

void LanguageChoice::DrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    const QListWidgetItem* item = entries_->item(index);
    if (!list_ || !item)
        return;
    const QPalette& colours = entries_->palette();
    const QBrush brush = selected ? colours.highlight() : colours.base();
    canvas.fillRect(rect, brush);

    QImage flag;
    list_->LoadFlagBitmap(list_->GetLanguageId(index), flag);
    const QFontMetrics metrics(entries_->font());
    const EntryLayout at = layoutEntry(rect, flag.size(), metrics.height());
    // The frame's outline covers exactly its width and height.
    canvas.setPen(QColor::fromRgb(kFrameColour));
    canvas.setBrush(brush);
    canvas.drawRect(at.frame.adjusted(0, 0, -1, -1));
    if (!flag.isNull())
        canvas.drawImage(at.flag, flag);

    canvas.setFont(entries_->font());
    canvas.setPen(selected ? colours.highlightedText().color() : colours.text().color());
    canvas.drawText(QRect(at.text, QSize(rect.right() - at.text.x() + 1, metrics.height())),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item->text());
}

} // namespace dm
