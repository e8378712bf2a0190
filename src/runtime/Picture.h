#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

// A picture object as the controls hold it. A default-constructed Picture is
// an empty picture object (handle 0); "no object" is the absence of a Picture,
// an invalid QVariant in a property bag.

namespace runtime {

class Picture
{
public:
    Picture() = default;
    explicit Picture(QImage image, QString source = {});

    static Picture fromFile(const QString &path);

    const QImage &image() const { return m_image; }
    // Where the picture was loaded from, so that saving writes the same file name.
    const QString &source() const { return m_source; }

    // Non-zero when the picture holds an image, as a platform handle would be.
    bool handle() const { return !m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    friend bool operator==(const Picture &a, const Picture &b) { return a.m_image == b.m_image; }
    friend bool operator!=(const Picture &a, const Picture &b) { return !(a == b); }

private:
    QImage m_image;
    QString m_source;
};

} // namespace runtime

Q_DECLARE_METATYPE(runtime::Picture)
