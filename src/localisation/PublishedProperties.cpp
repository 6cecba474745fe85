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

QMetaProperty declaredProperty(const QObject* component, Published property) {
    const QMetaObject* meta = component->metaObject();
    const int index = meta->indexOfProperty(publishedName(property).data());
    if (index < 0)
        return {};
    QMetaProperty declared = meta->property(index);
    const bool list = property == Published::Items || property == Published::Lines;
    if (list && declared.metaType().id() != QMetaType::QStringList)
        return {};
    return declared;
}

const QWidget* hintWidget(const QObject* c) {
    const auto* w = qobject_cast<const QWidget*>(c);
    return w && !qobject_cast<const QMenu*>(w) ? w : nullptr;
}

QString widgetHint(const QWidget* w) {
    const QVariant kept = w->property(kHintKey);
    return kept.isValid() ? kept.toString() : w->toolTip();
}

bool widgetShowHint(const QWidget* w) {
    const QVariant kept = w->property(kShowHintKey);
    return kept.isValid() ? kept.toBool() : true;
}

void setWidgetHint(QWidget* w, const QString& hint, bool show) {
    w->setProperty(kHintKey, hint);
    w->setProperty(kShowHintKey, show);
    w->setToolTip(show ? hint : QString());
}

bool hasAlignment(const QObject* c, Published property) {
    if (qobject_cast<const QLabel*>(c))
        return true;
    return property == Published::Alignment && qobject_cast<const QLineEdit*>(c);
}

Qt::Alignment alignmentOf(const QObject* c) {
    if (const auto* label = qobject_cast<const QLabel*>(c))
        return label->alignment();
    return static_cast<const QLineEdit*>(c)->alignment();
}

void setAlignmentOf(QObject* c, Qt::Alignment a) {
    if (auto* label = qobject_cast<QLabel*>(c))
        label->setAlignment(a);
    else
        static_cast<QLineEdit*>(c)->setAlignment(a);
}

// The left-justify, right-justify, centre values and the top, centre, bottom values.
constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};

template <std::size_t N> int ordinalOf(Qt::Alignment a, const Qt::AlignmentFlag (&values)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (a & values[i])
            return static_cast<int>(i);
    return 0;
}

QStringList editorLines(const QObject* c) {
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(c))
        return splitTextLines(plain->toPlainText());
    return splitTextLines(static_cast<const QTextEdit*>(c)->toPlainText());
}

void setEditorLines(QObject* c, const QStringList& lines) {
    const QString text = lines.join(QLatin1Char('\n'));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(c))
        plain->setPlainText(text);
    else
        static_cast<QTextEdit*>(c)->setPlainText(text);
}

bool isEditor(const QObject* c) {
    return qobject_cast<const QPlainTextEdit*>(c) || qobject_cast<const QTextEdit*>(c);
}

bool hasWidgetProperty(const QObject* c, Published property) {
    switch (property) {
    case Published::Caption:
        return isForm(c) || qobject_cast<const QLabel*>(c) ||
               qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QGroupBox*>(c) ||
               qobject_cast<const QAction*>(c) || qobject_cast<const QMenu*>(c);
    case Published::Text: {
        const auto* combo = qobject_cast<const QComboBox*>(c);
        return qobject_cast<const QLineEdit*>(c) || (combo && combo->isEditable());
    }
    case Published::Hint:
        return qobject_cast<const QWidget*>(c) || qobject_cast<const QAction*>(c);
    case Published::ShowHint:
        return hintWidget(c) != nullptr;
    case Published::Items:
    case Published::ItemIndex:
        return qobject_cast<const QComboBox*>(c) || qobject_cast<const QListWidget*>(c);
    case Published::Lines:
        return isEditor(c);
    case Published::Alignment:
    case Published::Layout:
        return hasAlignment(c, property);
    }
    return false;
}

QVariant readWidgetProperty(const QObject* c, Published property) {
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
        return widgetHint(static_cast<const QWidget*>(c));
    case Published::ShowHint:
        return widgetShowHint(hintWidget(c));
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
        return editorLines(c);
    case Published::ItemIndex:
        if (const auto* combo = qobject_cast<const QComboBox*>(c))
            return combo->currentIndex();
        return static_cast<const QListWidget*>(c)->currentRow();
    case Published::Alignment:
        return ordinalOf(alignmentOf(c), kHorizontal);
    case Published::Layout:
        return ordinalOf(alignmentOf(c), kVertical);
    }
    return {};
}

void writeWidgetProperty(QObject* c, Published property, const QVariant& value) {
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
            setWidgetHint(static_cast<QWidget*>(c), value.toString(),
                          widgetShowHint(static_cast<QWidget*>(c)));
        return;
    case Published::ShowHint: {
        auto* w = const_cast<QWidget*>(hintWidget(c));
        setWidgetHint(w, widgetHint(w), value.toBool());
        return;
    }
    case Published::Items:
    case Published::Lines:
        replaceEntries(c, property, value.toStringList());
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
            setAlignmentOf(c, (alignmentOf(c) & ~Qt::AlignHorizontal_Mask) | kHorizontal[i]);
        return;
    }
    case Published::Layout: {
        const int i = value.toInt();
        if (i >= 0 && i < 3)
            setAlignmentOf(c, (alignmentOf(c) & ~Qt::AlignVertical_Mask) | kVertical[i]);
        return;
    }
    }
}

} // namespace

std::string_view publishedName(Published property) {
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

bool hasPublished(const QObject* component, Published property) {
    return component && (hasWidgetProperty(component, property) ||
                         declaredProperty(component, property).isValid());
}

QVariant readPublished(const QObject* component, Published property) {
    if (!component)
        return {};
    if (hasWidgetProperty(component, property))
        return readWidgetProperty(component, property);
    if (const QMetaProperty declared = declaredProperty(component, property); declared.isValid())
        return declared.read(component);
    return {};
}

bool writePublished(QObject* component, Published property, const QVariant& value) {
    if (!component)
        return false;
    if (hasWidgetProperty(component, property)) {
        writeWidgetProperty(component, property, value);
        return true;
    }
    const QMetaProperty declared = declaredProperty(component, property);
    if (!declared.isValid())
        return false;
    if (property == Published::Items || property == Published::Lines)
        return replaceEntries(component, property, value.toStringList());
    return declared.write(component, value);
}

bool replaceEntries(QObject* component, Published property, const QStringList& lines) {
    if (property != Published::Items && property != Published::Lines)
        return false;
    if (!hasPublished(component, property))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(component); combo && property == Published::Items) {
        for (int i = 0; i < std::min<qsizetype>(combo->count(), lines.size()); ++i)
            combo->setItemText(i, lines[i]);
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(component); list && property == Published::Items) {
        for (int i = 0; i < std::min<qsizetype>(list->count(), lines.size()); ++i)
            list->item(i)->setText(lines[i]);
        return true;
    }
    QStringList entries = readPublished(component, property).toStringList();
    for (qsizetype i = 0; i < std::min(entries.size(), lines.size()); ++i)
        entries[i] = lines[i];
    if (property == Published::Lines && isEditor(component)) {
        setEditorLines(component, entries);
        return true;
    }
    return declaredProperty(component, property).write(component, entries);
}

QStringList splitTextLines(const QString& text) {
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

bool hasFont(const QObject* component) {
    return qobject_cast<const QWidget*>(component) && !qobject_cast<const QMenu*>(component);
}

QFont readFont(const QObject* component) {
    if (const auto* w = qobject_cast<const QWidget*>(component))
        return w->font();
    return QApplication::font();
}

void writeFont(QObject* component, const QFont& font) {
    if (auto* w = qobject_cast<QWidget*>(component); w && hasFont(w))
        w->setFont(font);
}

int fontCharSet(const QObject* component) {
    const QVariant kept = component ? component->property(kCharSetKey) : QVariant();
    return kept.isValid() ? kept.toInt() : kDefaultCharSet;
}

void setFontCharSet(QObject* component, int charSet) {
    if (hasFont(component))
        component->setProperty(kCharSetKey, charSet);
}

double fontPointSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : 0.0;
}

} // namespace dm
