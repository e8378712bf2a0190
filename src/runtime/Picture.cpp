#include "Picture.h"

#include <utility>

namespace runtime {

Picture::Picture(QImage image, QString source)
    : m_image(std::move(image))
    , m_source(std::move(source))
{
}

Picture Picture::fromFile(const QString &path)
{
    return Picture(QImage(path), path);
}

} // namespace runtime
