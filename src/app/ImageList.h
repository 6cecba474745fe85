// A form's list of equally sized pictures, addressed by index.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QVector>

namespace dm {

// A form's list of equally sized pictures, addressed by index.
class ImageList : public QObject {
    Q_OBJECT

public:
    explicit ImageList(QObject* owner = nullptr) : QObject(owner) {}

    void Add(const QPixmap& picture) { pictures_.append(picture); }
    // The picture at index; an empty picture when there is none.
    QPixmap picture(int index) const { return pictures_.value(index); }
    int Count() const { return static_cast<int>(pictures_.size()); }

private:
    QVector<QPixmap> pictures_;
};

} // namespace dm
