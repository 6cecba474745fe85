// A form's table of run-time texts, translated line by line by a language file.
#include "localisation/TextStorage.h"

namespace dm {

namespace {
const QString kUnused = QStringLiteral("unused");
}

TextStorage::TextStorage(QObject* owner) : QObject(owner) {}

void TextStorage::Loaded() {
    source_ = items_;
}

QString TextStorage::Translate(const QString& text) const {
    for (qsizetype i = 0; i < source_.size(); ++i) {
        if (source_[i].compare(text, Qt::CaseInsensitive) != 0)
            continue;
        if (i >= items_.size() || items_[i] == kUnused)
            return text;
        return items_[i];
    }
    return text;
}

int TextStorage::MarkUnused() {
    items_.fill(kUnused);
    source_.fill(kUnused);
    return static_cast<int>(items_.size());
}

} // namespace dm
