// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFile.h"

#include "Picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>

#include <cmath>

namespace runtime {

const FormObject *FormObject::child(const QString &childName) const
{
    for (const FormObject &c : children) {
        if (c.name.compare(childName, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

namespace {

// A skin is outside input: what it asks for must stay within what a face can hold.
constexpr qint64 SmallestNumber = -2147483648LL; // a Long
constexpr qint64 LargestNumber = 4294967295LL; // a colour, 0xFFFFFFFF
constexpr double LargestFontPoints = 512;
constexpr qint64 LargestPictureBytes = 16 * 1024 * 1024;
constexpr int LargestPictureSide = 4096;
// Places and sizes in twips: 32767 pixels at 15 twips a pixel.
constexpr double LargestTwips = 32767 * 15;

// Where a form file's pictures may lie: the folder that holds its forms folder.
QString pictureRoot(const QString &baseDir)
{
    return QDir::cleanPath(baseDir + QStringLiteral("/.."));
}

bool isInside(const QString &path, const QString &folder)
{
    const QFileInfo file(path);
    const QFileInfo root(folder);
    // Resolved, so that neither ".." nor a link leads elsewhere.
    const QString resolved = file.exists() ? file.canonicalFilePath() : QDir::cleanPath(file.absoluteFilePath());
    const QString inside = root.exists() ? root.canonicalFilePath() : QDir::cleanPath(root.absoluteFilePath());
    return resolved.startsWith(inside.endsWith(u'/') ? inside : inside + u'/');
}

// Why a place or size is out of reach, or nothing.
std::optional<QString> geometryProblem(const QString &key, const QVariant &value)
{
    static const QStringList places = {QStringLiteral("Left"), QStringLiteral("Top")};
    static const QStringList sizes = {QStringLiteral("Width"), QStringLiteral("Height"), QStringLiteral("ClientWidth"),
                                      QStringLiteral("ClientHeight")};
    const bool place = places.contains(key, Qt::CaseInsensitive);
    if (!place && !sizes.contains(key, Qt::CaseInsensitive))
        return std::nullopt;
    if (!isNumber(value))
        return QStringLiteral("a number of twips was expected");
    const double twips = value.toDouble();
    if (twips > LargestTwips || twips < (place ? -LargestTwips : 0))
        return QStringLiteral("%1 twips is beyond any screen").arg(twips);
    return std::nullopt;
}

class ValueParser
{
public:
    ValueParser(QStringView text, const QString &baseDir)
        : m_text(text.trimmed())
        , m_baseDir(baseDir)
    {
    }

    std::optional<QVariant> parse(QString *why)
    {
        std::optional<QVariant> value = parseValue(why);
        skipSpaces();
        if (value && m_pos != m_text.size()) {
            *why = QStringLiteral("unexpected text after the value");
            return std::nullopt;
        }
        return value;
    }

private:
    void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool take(QChar c)
    {
        skipSpaces();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    std::optional<QString> parseString(QString *why)
    {
        skipSpaces();
        if (!take(u'"')) {
            *why = QStringLiteral("a quoted text was expected");
            return std::nullopt;
        }
        QString result;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c != u'"') {
                result += c;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                result += c;
                ++m_pos;
                continue;
            }
            return result;
        }
        *why = QStringLiteral("the quoted text is not closed");
        return std::nullopt;
    }

    QStringView word()
    {
        skipSpaces();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size()
               && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'&' || m_text[m_pos] == u'.'
                   || m_text[m_pos] == u'-' || m_text[m_pos] == u'+' || m_text[m_pos] == u'_'))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    static bool isNumeral(QStringView w)
    {
        bool ok = false;
        return w.toDouble(&ok) != 0 || ok;
    }

    static std::optional<QVariant> number(QStringView w)
    {
        if (w.startsWith(u"&H", Qt::CaseInsensitive)) {
            QStringView digits = w.mid(2);
            if (digits.endsWith(u'&'))
                digits.chop(1);
            bool ok = false;
            const qulonglong v = digits.toULongLong(&ok, 16);
            if (!ok || v > qulonglong(LargestNumber))
                return std::nullopt;
            return QVariant(static_cast<qint64>(v));
        }
        bool ok = false;
        const qint64 i = w.toLongLong(&ok);
        if (ok)
            return i >= SmallestNumber && i <= LargestNumber ? std::optional(QVariant(i)) : std::nullopt;
        const double d = w.toDouble(&ok);
        if (ok && std::isfinite(d) && d >= double(SmallestNumber) && d <= double(LargestNumber))
            return QVariant(d);
        return std::nullopt;
    }

    std::optional<QVariant> parseFont(QString *why)
    {
        const std::optional<QString> family = parseString(why);
        if (!family)
            return std::nullopt;
        // One family as written: a comma is part of its name, not a list of them.
        QFont font(QStringList {*family});
        if (!take(u',')) {
            *why = QStringLiteral("a font needs a size");
            return std::nullopt;
        }
        bool ok = false;
        const double points = word().toDouble(&ok);
        if (!ok || !(points > 0 && points <= LargestFontPoints)) {
            *why = QStringLiteral("the font size is not a number of points from 0 to %1").arg(LargestFontPoints);
            return std::nullopt;
        }
        font.setPointSizeF(points);
        while (take(u',')) {
            const QString style = word().toString().toLower();
            if (style == u"bold")
                font.setBold(true);
            else if (style == u"italic")
                font.setItalic(true);
            else if (style == u"underline")
                font.setUnderline(true);
            else if (style == u"strikeout")
                font.setStrikeOut(true);
            else {
                *why = QStringLiteral("unknown font style \"%1\"").arg(style);
                return std::nullopt;
            }
        }
        if (!take(u')')) {
            *why = QStringLiteral("\")\" expected after the font");
            return std::nullopt;
        }
        return QVariant::fromValue(font);
    }

    std::optional<QVariant> parsePicture(QString *why)
    {
        if (take(u')'))
            return QVariant::fromValue(Picture());
        const std::optional<QString> file = parseString(why);
        if (!file)
            return std::nullopt;
        if (!take(u')')) {
            *why = QStringLiteral("\")\" expected after the picture");
            return std::nullopt;
        }
        const QString path = QDir(m_baseDir).filePath(*file);
        if (QDir::isAbsolutePath(*file) || !isInside(path, pictureRoot(m_baseDir))) {
            *why = QStringLiteral("the picture \"%1\" lies outside the skin's folder").arg(*file);
            return std::nullopt;
        }
        QImageReader reader(path);
        if (QFileInfo(path).size() > LargestPictureBytes || reader.size().width() > LargestPictureSide
            || reader.size().height() > LargestPictureSide) {
            *why = QStringLiteral("the picture \"%1\" is too large for a face").arg(path);
            return std::nullopt;
        }
        Picture picture(reader.read(), *file);
        if (!picture.handle()) {
            *why = QStringLiteral("the picture \"%1\" cannot be read").arg(path);
            return std::nullopt;
        }
        return QVariant::fromValue(picture);
    }

    std::optional<QVariant> parseValue(QString *why)
    {
        skipSpaces();
        if (m_pos >= m_text.size()) {
            *why = QStringLiteral("a value was expected");
            return std::nullopt;
        }
        if (m_text[m_pos] == u'"') {
            std::optional<QString> s = parseString(why);
            return s ? std::optional<QVariant>(*s) : std::nullopt;
        }
        const QStringView w = word();
        if (w.compare(u"True", Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (w.compare(u"False", Qt::CaseInsensitive) == 0)
            return QVariant(false);
        if (w.compare(u"Font", Qt::CaseInsensitive) == 0 && take(u'('))
            return parseFont(why);
        if (w.compare(u"Picture", Qt::CaseInsensitive) == 0 && take(u'('))
            return parsePicture(why);
        if (std::optional<QVariant> n = number(w))
            return n;
        if (isNumeral(w)) {
            *why = QStringLiteral("the number %1 is out of range").arg(w);
            return std::nullopt;
        }
        *why = QStringLiteral("\"%1\" is not a value").arg(m_text.mid(m_pos - w.size()));
        return std::nullopt;
    }

    QStringView m_text;
    QString m_baseDir;
    qsizetype m_pos = 0;
};

QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

// Every digit of a whole number, and the shortest text that reads back as the
// same double.
QString numberText(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    default:
        return QString::number(value.toLongLong());
    }
}

std::optional<QString> formatValue(const QString &key, const QString &objectName, const QVariant &value,
                                   const QString &baseDir, QString *error)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.metaType().id() == QMetaType::QString)
        return quoted(value.toString());
    if (isNumber(value))
        return numberText(value);
    if (value.metaType() == QMetaType::fromType<QFont>()) {
        const QFont font = value.value<QFont>();
        QString text
            = QStringLiteral("Font(%1, %2")
                  .arg(quoted(font.family()), QString::number(font.pointSizeF(), 'g', QLocale::FloatingPointShortest));
        if (font.bold())
            text += QStringLiteral(", Bold");
        if (font.italic())
            text += QStringLiteral(", Italic");
        if (font.underline())
            text += QStringLiteral(", Underline");
        if (font.strikeOut())
            text += QStringLiteral(", Strikeout");
        return text + u')';
    }
    if (value.metaType() == QMetaType::fromType<Picture>()) {
        const Picture picture = value.value<Picture>();
        if (!picture.handle())
            return QStringLiteral("Picture()");
        QString file = QFileInfo(picture.source()).fileName();
        if (file.isEmpty())
            file = QStringLiteral("%1_%2.png").arg(objectName, key);
        if (!picture.image().save(QDir(baseDir).filePath(file))) {
            *error = QStringLiteral("cannot write the picture %1").arg(QDir(baseDir).filePath(file));
            return std::nullopt;
        }
        return QStringLiteral("Picture(%1)").arg(quoted(file));
    }
    *error = QStringLiteral("%1.%2 holds a value that a form file cannot store").arg(objectName, key);
    return std::nullopt;
}

bool serialiseObject(const FormObject &object, int depth, const QString &baseDir, QString *out, QString *error)
{
    const QString indent(depth * 3, u' ');
    *out += indent + QStringLiteral("Begin %1 %2\n").arg(object.className, object.name);
    for (const PropertyBag::Entry &entry : object.properties.entries()) {
        const std::optional<QString> text = formatValue(entry.key, object.name, entry.value, baseDir, error);
        if (!text)
            return false;
        *out += indent + QStringLiteral("   %1 = %2\n").arg(entry.key, *text);
    }
    for (const FormObject &child : object.children) {
        if (!serialiseObject(child, depth + 1, baseDir, out, error))
            return false;
    }
    *out += indent + QStringLiteral("End\n");
    return true;
}

// "Begin Kind Name"; "Begin = value" sets a property of that name.
bool isBeginLine(QStringView line)
{
    return line.startsWith(u"Begin ", Qt::CaseInsensitive) && !line.sliced(6).trimmed().startsWith(u'=');
}

} // namespace

std::optional<FormObject> FormFile::parse(const QString &text, const QString &baseDir, const QString &fileName,
                                          QString *error)
{
    const auto fail = [&](int line, const QString &why) {
        *error = QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(why);
        return std::nullopt;
    };

    QList<FormObject> stack;
    std::optional<FormObject> root;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'\''))
            continue;
        if (isBeginLine(line)) {
            const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
            if (parts.size() != 3)
                return fail(lineNo, QStringLiteral("\"Begin\" needs a kind and a name"));
            if (root)
                return fail(lineNo, QStringLiteral("only one form may stand in a form file"));
            FormObject object;
            object.className = parts[1];
            object.name = parts[2];
            object.line = lineNo;
            stack.append(object);
            continue;
        }
        if (line.compare(u"End", Qt::CaseInsensitive) == 0) {
            if (stack.isEmpty())
                return fail(lineNo, QStringLiteral("\"End\" without \"Begin\""));
            FormObject done = stack.takeLast();
            if (stack.isEmpty())
                root = std::move(done);
            else
                stack.last().children.append(std::move(done));
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            return fail(lineNo, QStringLiteral("\"name = value\" expected"));
        if (stack.isEmpty())
            return fail(lineNo, QStringLiteral("a property outside \"Begin\" and \"End\""));
        const QString key = line.left(eq).trimmed();
        QString why;
        const std::optional<QVariant> value = ValueParser(QStringView(line).mid(eq + 1), baseDir).parse(&why);
        if (!value)
            return fail(lineNo, QStringLiteral("%1: %2").arg(key, why));
        if (const std::optional<QString> problem = geometryProblem(key, *value))
            return fail(lineNo, QStringLiteral("%1: %2").arg(key, *problem));
        stack.last().properties.set(key, *value);
    }
    if (!stack.isEmpty())
        return fail(stack.last().line, QStringLiteral("\"Begin %1\" has no \"End\"").arg(stack.last().name));
    if (!root)
        return fail(1, QStringLiteral("the file holds no form"));
    return root;
}

std::optional<FormObject> FormFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()), QFileInfo(path).absolutePath(), path, error);
}

QString FormFile::serialise(const FormObject &form, const QString &baseDir, QString *error)
{
    QString out;
    if (!serialiseObject(form, 0, baseDir, &out, error))
        return {};
    return out;
}

bool FormFile::write(const QString &path, const FormObject &form, QString *error)
{
    const QString text = serialise(form, QFileInfo(path).absolutePath(), error);
    if (text.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace runtime
