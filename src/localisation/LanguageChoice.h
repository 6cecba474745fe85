// The language chooser: a list of languages with their flags, switching on a click.
#pragma once

#include "localisation/LangList.h"

#include <QFrame>
#include <QPointer>

#include <exception>
#include <functional>
#include <string>

class QLabel;
class QListWidget;
class QPainter;

namespace dm {

// Where the parts of one chooser entry go inside its rectangle: the flag's frame, the flag and
// the text's top-left corner. Halvings round toward zero.
struct EntryLayout {
    QRect frame;
    QPoint flag;
    QPoint text;
};
EntryLayout layoutEntry(const QRect& entry, const QSize& flag, int textHeight);

// The languages of a language list as a list of entries 32 pixels high, each with its flag and
// display text, under a caption naming the current language. A click on an entry, or Return on
// the current one, switches the language at once; nothing else does. Each time it is shown, the
// current language's entry is the highlighted one. Binding a list puts the
// chooser first in the list's after-switch chain; it passes every switch on to the handler it found
// there, and puts that handler back when it is unbound or freed.
class LanguageChoice : public QFrame {
    Q_OBJECT

public:
    using NotifyEvent = std::function<void(QObject* sender)>;

    explicit LanguageChoice(QWidget* parent = nullptr);
    ~LanguageChoice() override;

    LangList* LanguageList() const { return list_; }
    // Scans the list's language files, copies its entries and joins its after-switch chain;
    // nullptr clears the entries.
    void SetLanguageList(LangList* list);

    // Told at the end of every handled click on an entry.
    NotifyEvent OnClick;
    // Where an error of a switch started by a click goes (the application's error report).
    std::function<void(const std::exception& error)> OnError;

    // The chained after-switch handler: selects the list's entry, passes the switch on, then
    // shows two spaces and the current language's name.
    void LanguageSwitched(QObject* sender);
    // A click on an entry of the inner list.
    void ListClick();
    // Paints entry index into rect (already filled by the caller's brush when selected is known).
    void DrawItem(QPainter& canvas, int index, const QRect& rect, bool selected);

    QLabel* captionLabel() const { return caption_; }
    QListWidget* entries() const { return entries_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void unchain();
    // Highlights the current language's entry, none while no language is loaded.
    void highlightCurrentLanguage();
    // A click or Return on an entry: the switch, its errors to OnError.
    void chooseEntry();

    QPointer<LangList> list_;
    QListWidget* entries_;
    QFrame* bevel_;
    QLabel* caption_;
    NotifyEvent savedAfterSwitch_;
    bool chained_ = false;
};

} // namespace dm
