#include "localisation/Components.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QWidget>
#include <algorithm>
#include <tuple>

namespace dm {

namespace {

bool IsComponentName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// Every named object below parent in depth-first order, not entering nested forms. Layouts
// only arrange widgets and are no components.
void AddFormComponents(const QObject* parent, QObjectList& list) {
    for (QObject* child : parent->children()) {
        if (IsForm(child))
            continue;
        if (child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (!child->objectName().isEmpty() && !qobject_cast<const QLayout*>(child))
            list.append(child);
        AddFormComponents(child, list);
    }
}

QObjectList ApplicationForms() {
    QObjectList forms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (IsForm(w) && IsComponentName(w->objectName()))
            forms.append(w);
    const auto key = [](const QObject* o) {
        const auto* w = static_cast<const QWidget*>(o);
        return std::make_tuple(w->parentWidget() != nullptr,
                               qobject_cast<const QMainWindow*>(w) == nullptr, w->objectName());
    };
    std::stable_sort(forms.begin(), forms.end(),
                     [&](const QObject* a, const QObject* b) { return key(a) < key(b); });
    return forms;
}

bool IsExcluded(const QStringList* excluded, const QString& nameOrPath) {
    return excluded && excluded->contains(nameOrPath, Qt::CaseInsensitive);
}

} // namespace

bool IsForm(const QObject* object) {
    const auto* w = qobject_cast<const QWidget*>(object);
    if (!w || !w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

QObjectList OwnedComponents(const QObject* owner) {
    QObjectList list;
    if (owner == QCoreApplication::instance() && qobject_cast<const QApplication*>(owner))
        return ApplicationForms();
    if (IsForm(owner))
        AddFormComponents(owner, list);
    return list;
}

QWidget* MainForm() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    const QObjectList forms = ApplicationForms();
    return forms.isEmpty() ? nullptr : static_cast<QWidget*>(forms.first());
}

void CollectComponents(const QString& Prefix, std::vector<CollectedComponent>& List,
                       const QStringList* Excluded, QObject* Component) {
    // The application object takes part only as the owner of the forms.
    const QString name =
        Component == QCoreApplication::instance() ? QString() : Component->objectName();
    const bool named = IsComponentName(name);
    if (named && !IsExcluded(Excluded, name)) {
        const QString path = Prefix + name;
        if (!IsExcluded(Excluded, path))
            List.push_back({path, Component});
    }
    const QString childPrefix = named ? Prefix + name + QLatin1Char('.') : QString();
    for (QObject* owned : OwnedComponents(Component))
        CollectComponents(childPrefix, List, Excluded, owned);
}

} // namespace dm
