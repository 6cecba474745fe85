// The published properties the language files name, mapped onto each widget's Qt property.
#pragma once

#include <QFont>
#include <QStringList>
#include <QVariant>
#include <string_view>

namespace dm {

// The published properties the language files name, mapped onto each widget kind's Qt property:
// a form's window title, a label's or button's text, a group box's title, an action's text, a
// menu's title; the hint as a widget's tool tip (an action's or menu's status tip); the entries of
// combo boxes and list widgets; the lines of text editors. Our own components (text tables, the
// language list) declare Q_PROPERTYs of these names and are reached through them (widgets go by
// their kind, as Qt's own properties may share a name). A component that lacks a property is
// left alone.
enum class Published { Caption, Text, Hint, ShowHint, Items, Lines, ItemIndex, Alignment, Layout };

// The name the language files use ("Caption", ..., "alignment", "Layout").
std::string_view publishedName(Published property);

bool hasPublished(const QObject* component, Published property);
// QString for texts, bool for ShowHint, QStringList for Items and Lines, int otherwise; an
// invalid value when the component lacks the property.
QVariant readPublished(const QObject* component, Published property);
// False when the component lacks the property. Writing Items or Lines replaces the texts of the
// existing entries only (as replaceEntries), so selections and entry counts stay.
bool writePublished(QObject* component, Published property, const QVariant& value);

// Entry i of Items or lines becomes lines[i] for every i below both counts; nothing is added or
// removed.
bool replaceEntries(QObject* component, Published property, const QStringList& lines);

// Lines of a text as a string list sees them: broken at CR LF, CR or LF; a final line break adds
// no empty line.
QStringList splitTextLines(const QString& text);

// The font of a visual component (not of menus or actions).
bool hasFont(const QObject* component);
QFont readFont(const QObject* component);
void writeFont(QObject* component, const QFont& font);
// Qt fonts carry no character set; a component keeps the one a language file gave its font
// (1, the default set, until then).
int fontCharSet(const QObject* component);
void setFontCharSet(QObject* component, int charSet);
// A font's size in points (a pixel size is taken at 96 dots per inch).
double fontPointSize(const QFont& font);

} // namespace dm
