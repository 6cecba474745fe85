// The published properties of the language files, mapped onto each widget kind's Qt property.
#include "localisation/PublishedProperties.h"

#include "localisation/Components.h"
#include "localisation/format/CharSet.h"

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

template <std::size_t count>
int ordinalOf(Qt::Alignment a, const Qt::AlignmentFlag (&values)[count]) {
    for (std::size_t i = 0; i < count; ++i)
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

QStringList comboItems(const QObject* c) {
    QStringList items;
    const auto* combo = static_cast<const QComboBox*>(c);
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QStringList listItems(const QObject* c) {
    QStringList items;
    const auto* list = static_cast<const QListWidget*>(c);
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

void setAlignmentPart(QObject* c, const QVariant& value, Qt::Alignment mask,
                      const Qt::AlignmentFlag (&values)[3]) {
    const int i = value.toInt();
    if (i >= 0 && i < 3)
        setAlignmentOf(c, (alignmentOf(c) & ~mask) | values[i]);
}

// A menu item captioned "-" is a separator line. Qt draws a separator's text, so the item keeps
// none and its caption reads "-".
constexpr QStringView kLineCaption = u"-";

QVariant menuItemCaption(const QObject* c) {
    const auto* item = static_cast<const QAction*>(c);
    return item->isSeparator() ? kLineCaption.toString() : item->text();
}

void setMenuItemCaption(QObject* c, const QVariant& value) {
    auto* item = static_cast<QAction*>(c);
    const QString caption = value.toString();
    item->setSeparator(caption == kLineCaption);
    item->setText(item->isSeparator() ? QString() : caption);
}

template <typename T> bool is(const QObject* c) {
    return qobject_cast<const T*>(c) != nullptr;
}

// How one kind of widget carries one published property: the test that picks the widget kind,
// then how the value is read and written. The first row whose test passes serves.
struct WidgetAdapter {
    Published property;
    bool (*test)(const QObject*);
    QVariant (*get)(const QObject*);
    void (*set)(QObject*, const QVariant&);
};

using C = const QObject*;
using W = QObject*;
using V = const QVariant&;

// clang-format off
const WidgetAdapter kAdapters[] = {
    {Published::Caption, is<QLabel>, [](C c) -> QVariant { return static_cast<const QLabel*>(c)->text(); }, [](W c, V v) { static_cast<QLabel*>(c)->setText(v.toString()); }},
    {Published::Caption, is<QAbstractButton>, [](C c) -> QVariant { return static_cast<const QAbstractButton*>(c)->text(); }, [](W c, V v) { static_cast<QAbstractButton*>(c)->setText(v.toString()); }},
    {Published::Caption, is<QGroupBox>, [](C c) -> QVariant { return static_cast<const QGroupBox*>(c)->title(); }, [](W c, V v) { static_cast<QGroupBox*>(c)->setTitle(v.toString()); }},
    {Published::Caption, is<QAction>, menuItemCaption, setMenuItemCaption},
    {Published::Caption, is<QMenu>, [](C c) -> QVariant { return static_cast<const QMenu*>(c)->title(); }, [](W c, V v) { static_cast<QMenu*>(c)->setTitle(v.toString()); }},
    {Published::Caption, isForm, [](C c) -> QVariant { return static_cast<const QWidget*>(c)->windowTitle(); }, [](W c, V v) { static_cast<QWidget*>(c)->setWindowTitle(v.toString()); }},
    {Published::Text, is<QLineEdit>, [](C c) -> QVariant { return static_cast<const QLineEdit*>(c)->text(); }, [](W c, V v) { static_cast<QLineEdit*>(c)->setText(v.toString()); }},
    {Published::Text, [](C c) { const auto* combo = qobject_cast<const QComboBox*>(c); return combo && combo->isEditable(); }, [](C c) -> QVariant { return static_cast<const QComboBox*>(c)->currentText(); }, [](W c, V v) { static_cast<QComboBox*>(c)->setEditText(v.toString()); }},
    {Published::Hint, is<QAction>, [](C c) -> QVariant { return static_cast<const QAction*>(c)->statusTip(); }, [](W c, V v) { static_cast<QAction*>(c)->setStatusTip(v.toString()); }},
    {Published::Hint, is<QMenu>, [](C c) -> QVariant { return static_cast<const QMenu*>(c)->menuAction()->statusTip(); }, [](W c, V v) { static_cast<QMenu*>(c)->menuAction()->setStatusTip(v.toString()); }},
    {Published::Hint, is<QWidget>, [](C c) -> QVariant { return widgetHint(static_cast<const QWidget*>(c)); }, [](W c, V v) { auto* w = static_cast<QWidget*>(c); setWidgetHint(w, v.toString(), widgetShowHint(w)); }},
    {Published::ShowHint, [](C c) { return hintWidget(c) != nullptr; }, [](C c) -> QVariant { return widgetShowHint(hintWidget(c)); }, [](W c, V v) { auto* w = const_cast<QWidget*>(hintWidget(c)); setWidgetHint(w, widgetHint(w), v.toBool()); }},
    {Published::Items, is<QComboBox>, [](C c) -> QVariant { return comboItems(c); }, [](W c, V v) { replaceEntries(c, Published::Items, v.toStringList()); }},
    {Published::Items, is<QListWidget>, [](C c) -> QVariant { return listItems(c); }, [](W c, V v) { replaceEntries(c, Published::Items, v.toStringList()); }},
    {Published::ItemIndex, is<QComboBox>, [](C c) -> QVariant { return static_cast<const QComboBox*>(c)->currentIndex(); }, [](W c, V v) { static_cast<QComboBox*>(c)->setCurrentIndex(v.toInt()); }},
    {Published::ItemIndex, is<QListWidget>, [](C c) -> QVariant { return static_cast<const QListWidget*>(c)->currentRow(); }, [](W c, V v) { static_cast<QListWidget*>(c)->setCurrentRow(v.toInt()); }},
    {Published::Lines, isEditor, [](C c) -> QVariant { return editorLines(c); }, [](W c, V v) { replaceEntries(c, Published::Lines, v.toStringList()); }},
    {Published::Alignment, [](C c) { return hasAlignment(c, Published::Alignment); }, [](C c) -> QVariant { return ordinalOf(alignmentOf(c), kHorizontal); }, [](W c, V v) { setAlignmentPart(c, v, Qt::AlignHorizontal_Mask, kHorizontal); }},
    {Published::Layout, [](C c) { return hasAlignment(c, Published::Layout); }, [](C c) -> QVariant { return ordinalOf(alignmentOf(c), kVertical); }, [](W c, V v) { setAlignmentPart(c, v, Qt::AlignVertical_Mask, kVertical); }},
};
// clang-format on

const WidgetAdapter* adapterFor(const QObject* c, Published property) {
    for (const WidgetAdapter& adapter : kAdapters)
        if (adapter.property == property && adapter.test(c))
            return &adapter;
    return nullptr;
}

bool hasWidgetProperty(const QObject* c, Published property) {
    return adapterFor(c, property) != nullptr;
}

QVariant readWidgetProperty(const QObject* c, Published property) {
    const WidgetAdapter* adapter = adapterFor(c, property);
    return adapter ? adapter->get(c) : QVariant();
}

void writeWidgetProperty(QObject* c, Published property, const QVariant& value) {
    if (const WidgetAdapter* adapter = adapterFor(c, property))
        adapter->set(c, value);
}

} // namespace

// The names the language files give the published properties.
constexpr std::pair<Published, std::string_view> kPublishedNames[] = {
    {Published::Caption, "Caption"},     {Published::Text, "Text"},
    {Published::Hint, "Hint"},           {Published::ShowHint, "ShowHint"},
    {Published::Items, "Items"},         {Published::Lines, "Lines"},
    {Published::ItemIndex, "ItemIndex"}, {Published::Alignment, "alignment"},
    {Published::Layout, "Layout"},
};

std::string_view publishedName(Published property) {
    for (const auto& [published, name] : kPublishedNames)
        if (published == property)
            return name;
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
