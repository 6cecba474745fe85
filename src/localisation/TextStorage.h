// A form's table of the texts its code sets at run time, and their translation.
#pragma once

#include <QObject>
#include <QStringList>

namespace dm {

// A form's table of the texts its code sets at run time. Code asks Translate() for an English
// text and gets the current language's text back. A language file translates the table through
// its published "Items" like any list, line by line.
class TextStorage : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE setItems)

public:
    explicit TextStorage(QObject* owner = nullptr);

    const QStringList& Items() const { return items_; }
    void setItems(const QStringList& items) { items_ = items; }

    // Called once the form has set Items: keeps the stored (English) texts as the lookup source.
    void Loaded();

    // The current text of the first English entry equal to text (ignoring case); text itself when
    // there is none or when the entry's current text is the placeholder "unused".
    QString Translate(const QString& text) const;

    // Sets every entry to "unused" in both lists; returns how many entries changed.
    int MarkUnused();

private:
    QStringList items_;
    QStringList source_;
};

} // namespace dm
