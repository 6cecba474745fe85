// Components and their owners as the language files see them, and their collection by path.
#pragma once

#include <QObjectList>
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace dm {

// Components and their owners as the language files see them. The application object owns the
// forms (named top-level windows); a form owns every named object inside it, whatever its parent
// widget, nested forms excepted; other components own nothing. Qt's own helper objects (named
// "qt_..."), layouts and unnamed objects are never components.

// True for a top-level window or dialog (not a popup such as a menu).
bool isForm(const QObject* object);

// The components owner owns, in order: the application's forms with parentless windows (a main
// window first) ahead of owned dialogs, each group by name; a form's components in creation
// (depth-first) order.
QObjectList ownedComponents(const QObject* owner);

// The application's first form, nullptr when it has none yet.
QWidget* mainForm();

struct CollectedComponent {
    QString Path;
    QObject* Component;
};

// Adds component (as prefix + its name) and every component it owns, recursively, to list.
// `excluded` holds bare names (excluded anywhere) or full paths, matched ignoring case; an excluded
// component's own components are still visited. `excluded` may be null.
void CollectComponents(const QString& prefix, std::vector<CollectedComponent>& list,
                       const QStringList* excluded, QObject* component);

} // namespace dm
