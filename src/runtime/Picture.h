// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

#include <cstdint>
#include <memory>

// A picture object as the controls hold it. A default-constructed Picture is
// an empty picture object (handle 0); "no object" is the absence of a Picture,
// an invalid QVariant in a property bag.
//
// Copies are references to one picture object and share its handle, which
// stays valid while any copy lives; another picture object gets another handle.

namespace runtime {

class Picture
{
public:
    using Handle = std::uint32_t;

    Picture() = default;
    explicit Picture(QImage image, QString source = {});

    static Picture fromFile(const QString &path);
    // The live picture object with this handle, or an empty picture.
    static Picture fromHandle(Handle handle);

    const QImage &image() const;
    // Where the picture was loaded from, so that saving writes the same file name.
    const QString &source() const;

    // Non-zero while the picture holds an image, as a platform handle would be.
    Handle handle() const;
    int width() const { return image().width(); }
    int height() const { return image().height(); }

    friend bool operator==(const Picture &a, const Picture &b) { return a.image() == b.image(); }
    friend bool operator!=(const Picture &a, const Picture &b) { return !(a == b); }

private:
    class Object;
    explicit Picture(std::shared_ptr<const Object> object);

    std::shared_ptr<const Object> m_object;
};

} // namespace runtime

Q_DECLARE_METATYPE(runtime::Picture)
