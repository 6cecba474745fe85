#include "localisation/PublishedProperties.h"

#include "localisation/CharSet.h"
#include "localisation/Components.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace dm {

namespace {

// Where a widget keeps its hint and ShowHint: Qt shows a tool tip whenever one is set, so a hint
// that is not to be shown is kept aside and the tool tip cleared.
constexpr char kHintKey[] = "dm_hint";
constexpr char kShowHintKey[] = "dm_showHint";
constexpr char kCharSetKey[] = "dm_fontCharSet";

QMetaProperty DeclaredProperty(const QObject* component, Published property) {
    const QMetaObject* meta = component->metaObject();
    const int index = meta->indexOfProperty(PublishedName(property).data());
    if (index < 0)
        return {};
    QMetaProperty declared = meta->property(index);
    const bool list = property == Published::Items || property == Published::Lines;
    if (list && declared.metaType().id() != QMetaType::QStringList)
        return {};
    return declared;
}

const QWidget* HintWidget(const QObject* c) {
    const auto* w = qobject_cast<const QWidget*>(c);
    return w && !qobject_cast<const QMenu*>(w) ? w : nullptr;
}

QString WidgetHint(const QWidget* w) {
    const QVariant kept = w->property(kHintKey);
    return kept.isValid() ? kept.toString() : w->toolTip();
}

bool WidgetShowHint(const QWidget* w) {
    const QVariant kept = w->property(kShowHintKey);
    return kept.isValid() ? kept.toBool() : true;
}

void SetWidgetHint(QWidget* w, const QString& hint, bool show) {
    w->setProperty(kHintKey, hint);
    w->setProperty(kShowHintKey, show);
    w->setToolTip(show ? hint : QString());
}

bool HasAlignment(const QObject* c, Published property) {
    if (qobject_cast<const QLabel*>(c))
        return true;
    return property == Published::Alignment && qobject_cast<const QLineEdit*>(c);
}

Qt::Alignment AlignmentOf(const QObject* c) {
    if (const auto* label = qobject_cast<const QLabel*>(c))
        return label->alignment();
    return static_cast<const QLineEdit*>(c)->alignment();
}

void SetAlignmentOf(QObject* c, Qt::Alignment a) {
    if (auto* label = qobject_cast<QLabel*>(c))
        label->setAlignment(a);
    else
        static_cast<QLineEdit*>(c)->setAlignment(a);
}

// The left-justify, right-justify, centre values and the top, centre, bottom values.
constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};

template <std::size_t N> int OrdinalOf(Qt::Alignment a, const Qt::AlignmentFlag (&values)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (a & values[i])
            return static_cast<int>(i);
    return 0;
}

QStringList EditorLines(const QObject* c) {
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(c))
        return SplitTextLines(plain->toPlainText());
    return SplitTextLines(static_cast<const QTextEdit*>(c)->toPlainText());
}

void SetEditorLines(QObject* c, const QStringList& lines) {
    const QString text = lines.join(QLatin1Char('\n'));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(c))
        plain->setPlainText(text);
    else
        static_cast<QTextEdit*>(c)->setPlainText(text);
}

bool IsEditor(const QObject* c) {
    return qobject_cast<const QPlainTextEdit*>(c) || qobject_cast<const QTextEdit*>(c);
}

bool HasWidgetProperty(const QObject* c, Published property) {
    switch (property) {
    case Published::Caption:
        return IsForm(c) || qobject_cast<const QLabel*>(c) ||
               qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QGroupBox*>(c) ||
               qobject_cast<const QAction*>(c) || qobject_cast<const QMenu*>(c);
    case Published::Text: {
        const auto* combo = qobject_cast<const QComboBox*>(c);
        return qobject_cast<const QLineEdit*>(c) || (combo && combo->isEditable());
    }
    case Published::Hint:
        return qobject_cast<const QWidget*>(c) || qobject_cast<const QAction*>(c);
    case Published::ShowHint:
        return HintWidget(c) != nullptr;
    case Published::Items:
    case Published::ItemIndex:
        return qobject_cast<const QComboBox*>(c) || qobject_cast<const QListWidget*>(c);
    case Published::Lines:
        return IsEditor(c);
    case Published::Alignment:
    case Published::Layout:
        return HasAlignment(c, property);
    }
    return false;
}

QVariant ReadWidgetProperty(const QObject* c, Published property) {
    switch (property) {
    case Published::Caption:
        if (const auto* label = qobject_cast<const QLabel*>(c))
            return label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(c))
            return button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(c))
            return group->title();
        if (const auto* action = qobject_cast<const QAction*>(c))
            return action->text();
        if (const auto* menu = qobject_cast<const QMenu*>(c))
            return menu->title();
        return static_cast<const QWidget*>(c)->windowTitle();
    case Published::Text:
        if (const auto* edit = qobject_cast<const QLineEdit*>(c))
            return edit->text();
        return static_cast<const QComboBox*>(c)->currentText();
    case Published::Hint:
        if (const auto* action = qobject_cast<const QAction*>(c))
            return action->statusTip();
        if (const auto* menu = qobject_cast<const QMenu*>(c))
            return menu->menuAction()->statusTip();
        return WidgetHint(static_cast<const QWidget*>(c));
    case Published::ShowHint:
        return WidgetShowHint(HintWidget(c));
    case Published::Items: {
        QStringList items;
        if (const auto* combo = qobject_cast<const QComboBox*>(c)) {
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
        } else {
            const auto* list = static_cast<const QListWidget*>(c);
            for (int i = 0; i < list->count(); ++i)
                items.append(list->item(i)->text());
        }
        return items;
    }
    case Published::Lines:
        return EditorLines(c);
    case Published::ItemIndex:
        if (const auto* combo = qobject_cast<const QComboBox*>(c))
            return combo->currentIndex();
        return static_cast<const QListWidget*>(c)->currentRow();
    case Published::Alignment:
        return OrdinalOf(AlignmentOf(c), kHorizontal);
    case Published::Layout:
        return OrdinalOf(AlignmentOf(c), kVertical);
    }
    return {};
}

void WriteWidgetProperty(QObject* c, Published property, const QVariant& value) {
    switch (property) {
    case Published::Caption:
        if (auto* label = qobject_cast<QLabel*>(c))
            label->setText(value.toString());
        else if (auto* button = qobject_cast<QAbstractButton*>(c))
            button->setText(value.toString());
        else if (auto* group = qobject_cast<QGroupBox*>(c))
            group->setTitle(value.toString());
        else if (auto* action = qobject_cast<QAction*>(c))
            action->setText(value.toString());
        else if (auto* menu = qobject_cast<QMenu*>(c))
            menu->setTitle(value.toString());
        else
            static_cast<QWidget*>(c)->setWindowTitle(value.toString());
        return;
    case Published::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(c))
            edit->setText(value.toString());
        else
            static_cast<QComboBox*>(c)->setEditText(value.toString());
        return;
    case Published::Hint:
        if (auto* action = qobject_cast<QAction*>(c))
            action->setStatusTip(value.toString());
        else if (auto* menu = qobject_cast<QMenu*>(c))
            menu->menuAction()->setStatusTip(value.toString());
        else
            SetWidgetHint(static_cast<QWidget*>(c), value.toString(),
                          WidgetShowHint(static_cast<QWidget*>(c)));
        return;
    case Published::ShowHint: {
        auto* w = const_cast<QWidget*>(HintWidget(c));
        SetWidgetHint(w, WidgetHint(w), value.toBool());
        return;
    }
    case Published::Items:
    case Published::Lines:
        ReplaceEntries(c, property, value.toStringList());
        return;
    case Published::ItemIndex:
        if (auto* combo = qobject_cast<QComboBox*>(c))
            combo->setCurrentIndex(value.toInt());
        else
            static_cast<QListWidget*>(c)->setCurrentRow(value.toInt());
        return;
    case Published::Alignment: {
        const int i = value.toInt();
        if (i >= 0 && i < 3)
            SetAlignmentOf(c, (AlignmentOf(c) & ~Qt::AlignHorizontal_Mask) | kHorizontal[i]);
        return;
    }
    case Published::Layout: {
        const int i = value.toInt();
        if (i >= 0 && i < 3)
            SetAlignmentOf(c, (AlignmentOf(c) & ~Qt::AlignVertical_Mask) | kVertical[i]);
        return;
    }
    }
}

} // namespace

std::string_view PublishedName(Published property) {
    switch (property) {
    case Published::Caption:
        return "Caption";
    case Published::Text:
        return "Text";
    case Published::Hint:
        return "Hint";
    case Published::ShowHint:
        return "ShowHint";
    case Published::Items:
        return "Items";
    case Published::Lines:
        return "Lines";
    case Published::ItemIndex:
        return "ItemIndex";
    case Published::Alignment:
        return "alignment";
    case Published::Layout:
        return "Layout";
    }
    return {};
}

bool HasPublished(const QObject* component, Published property) {
    return component && (HasWidgetProperty(component, property) ||
                         DeclaredProperty(component, property).isValid());
}

QVariant ReadPublished(const QObject* component, Published property) {
    if (!component)
        return {};
    if (HasWidgetProperty(component, property))
        return ReadWidgetProperty(component, property);
    if (const QMetaProperty declared = DeclaredProperty(component, property); declared.isValid())
        return declared.read(component);
    return {};
}

bool WritePublished(QObject* component, Published property, const QVariant& value) {
    if (!component)
        return false;
    if (HasWidgetProperty(component, property)) {
        WriteWidgetProperty(component, property, value);
        return true;
    }
    const QMetaProperty declared = DeclaredProperty(component, property);
    if (!declared.isValid())
        return false;
    if (property == Published::Items || property == Published::Lines)
        return ReplaceEntries(component, property, value.toStringList());
    return declared.write(component, value);
}

bool ReplaceEntries(QObject* component, Published property, const QStringList& Lines) {
    if (property != Published::Items && property != Published::Lines)
        return false;
    if (!HasPublished(component, property))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(component); combo && property == Published::Items) {
        for (int i = 0; i < std::min<qsizetype>(combo->count(), Lines.size()); ++i)
            combo->setItemText(i, Lines[i]);
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(component); list && property == Published::Items) {
        for (int i = 0; i < std::min<qsizetype>(list->count(), Lines.size()); ++i)
            list->item(i)->setText(Lines[i]);
        return true;
    }
    QStringList entries = ReadPublished(component, property).toStringList();
    for (qsizetype i = 0; i < std::min(entries.size(), Lines.size()); ++i)
        entries[i] = Lines[i];
    if (property == Published::Lines && IsEditor(component)) {
        SetEditorLines(component, entries);
        return true;
    }
    return DeclaredProperty(component, property).write(component, entries);
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool HasFont(const QObject* component) {
    return qobject_cast<const QWidget*>(component) && !qobject_cast<const QMenu*>(component);
}

QFont ReadFont(const QObject* component) {
    if (const auto* w = qobject_cast<const QWidget*>(component))
        return w->font();
    return QApplication::font();
}

void WriteFont(QObject* component, const QFont& font) {
    if (auto* w = qobject_cast<QWidget*>(component); w && HasFont(w))
        w->setFont(font);
}

int FontCharSet(const QObject* component) {
    const QVariant kept = component ? component->property(kCharSetKey) : QVariant();
    return kept.isValid() ? kept.toInt() : kDefaultCharSet;
}

void SetFontCharSet(QObject* component, int charSet) {
    if (HasFont(component))
        component->setProperty(kCharSetKey, charSet);
}

double FontPointSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : 0.0;
}

} // namespace dm
