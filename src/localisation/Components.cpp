// Components and their owners as the language files see them: forms, owned lists, paths.
#include "localisation/Components.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QWidget>
#include <algorithm>
#include <tuple>

namespace dm {

namespace {

bool isComponentName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// Every named object below parent in depth-first order, not entering nested forms. Layouts
// only arrange widgets and are no components.
void addFormComponents(const QObject* parent, QObjectList& list) {
    for (QObject* child : parent->children()) {
        if (isForm(child))
            continue;
        if (child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (!child->objectName().isEmpty() && !qobject_cast<const QLayout*>(child))
            list.append(child);
        addFormComponents(child, list);
    }
}

QObjectList applicationForms() {
    QObjectList forms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (isForm(w) && isComponentName(w->objectName()))
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

bool isExcluded(const QStringList* excluded, const QString& nameOrPath) {
    return excluded && excluded->contains(nameOrPath, Qt::CaseInsensitive);
}

} // namespace

bool isForm(const QObject* object) {
    const auto* w = qobject_cast<const QWidget*>(object);
    if (!w || !w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

QObjectList ownedComponents(const QObject* owner) {
    QObjectList list;
    if (owner == QCoreApplication::instance() && qobject_cast<const QApplication*>(owner))
        return applicationForms();
    if (isForm(owner))
        addFormComponents(owner, list);
    return list;
}

QWidget* mainForm() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    const QObjectList forms = applicationForms();
    return forms.isEmpty() ? nullptr : static_cast<QWidget*>(forms.first());
}

void CollectComponents(const QString& prefix, std::vector<CollectedComponent>& list,
                       const QStringList* excluded, QObject* component) {
    // The application object takes part only as the owner of the forms.
    const QString name =
        component == QCoreApplication::instance() ? QString() : component->objectName();
    const bool named = isComponentName(name);
    if (named && !isExcluded(excluded, name)) {
        const QString path = prefix + name;
        if (!isExcluded(excluded, path))
            list.push_back({path, component});
    }
    const QString childPrefix = named ? prefix + name + QLatin1Char('.') : QString();
    for (QObject* owned : ownedComponents(component))
        CollectComponents(childPrefix, list, excluded, owned);
}

} // namespace dm
