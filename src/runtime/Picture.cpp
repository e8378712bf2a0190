// SPDX-License-Identifier: GPL-3.0-or-later
#include "Picture.h"

#include <QMutex>
#include <QMutexLocker>

#include <unordered_map>
#include <utility>

namespace runtime {

namespace {

// The handles of the live picture objects, as a platform's handle table
// holds them; pictures may be made on any thread.
class HandleTable
{
public:
    Picture::Handle add(std::weak_ptr<const void> object)
    {
        const QMutexLocker lock(&m_mutex);
        do {
            ++m_last;
        } while (m_last == 0 || m_objects.count(m_last) != 0);
        m_objects.emplace(m_last, std::move(object));
        return m_last;
    }

    void remove(Picture::Handle handle)
    {
        const QMutexLocker lock(&m_mutex);
        m_objects.erase(handle);
    }

    std::shared_ptr<const void> find(Picture::Handle handle)
    {
        const QMutexLocker lock(&m_mutex);
        const auto it = m_objects.find(handle);
        return it == m_objects.end() ? nullptr : it->second.lock();
    }

private:
    QMutex m_mutex;
    Picture::Handle m_last = 0;
    std::unordered_map<Picture::Handle, std::weak_ptr<const void>> m_objects;
};

HandleTable &handles()
{
    static HandleTable table;
    return table;
}

} // namespace

class Picture::Object
{
public:
    Object(QImage image, QString source)
        : image(std::move(image))
        , source(std::move(source))
    {
    }
    ~Object()
    {
        if (handle != 0)
            handles().remove(handle);
    }
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;

    const QImage image;
    const QString source;
    Handle handle = 0;
};

Picture::Picture(QImage image, QString source)
{
    const bool hasImage = !image.isNull();
    auto object = std::make_shared<Object>(std::move(image), std::move(source));
    if (hasImage)
        object->handle = handles().add(object);
    m_object = std::move(object);
}

Picture::Picture(std::shared_ptr<const Object> object)
    : m_object(std::move(object))
{
}

Picture Picture::fromFile(const QString &path)
{
    return Picture(QImage(path), path);
}

Picture Picture::fromHandle(Handle handle)
{
    if (handle == 0)
        return Picture();
    return Picture(std::static_pointer_cast<const Object>(handles().find(handle)));
}

const QImage &Picture::image() const
{
    static const QImage none;
    return m_object ? m_object->image : none;
}

const QString &Picture::source() const
{
    static const QString none;
    return m_object ? m_object->source : none;
}

Picture::Handle Picture::handle() const
{
    return m_object ? m_object->handle : 0;
}

} // namespace runtime
