// SPDX-License-Identifier: GPL-3.0-or-later
// A form file from a user's skin, as any text: it reads, or fails naming the
// file and the line; what it read writes out and reads back the same; and
// every block applies to a control, a timer and a menu whatever it holds.

#include "FuzzSupport.h"
#include "runtime/FormControls.h"
#include "runtime/FormFile.h"
#include "runtime/Nearest.h"
#include "runtime/Picture.h"
#include "runtime/SavedValue.h"
#include "runtime/Units.h"

#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

using runtime::FormFile;
using runtime::FormObject;
using runtime::PropertyBag;

namespace {

// The built-in forms name their pictures relative to this folder.
const QString BaseDir = QStringLiteral(":/forms");
const QString FileName = QStringLiteral("Skin.frm");

const QTemporaryDir &scratch()
{
    static const QTemporaryDir dir(fuzz::scratchTemplate());
    return dir;
}

void checkError(const QString &text, const QString &error)
{
    const QString prefix = FileName + QStringLiteral(", line ");
    FUZZ_CHECK(error.startsWith(prefix), error);
    const qsizetype colon = error.indexOf(u':', prefix.size());
    bool isNumber = false;
    const int line = colon < 0 ? 0 : QStringView(error).sliced(prefix.size(), colon - prefix.size()).toInt(&isNumber);
    FUZZ_CHECK(isNumber && line >= 1 && line <= text.count(u'\n') + 1, error);
    FUZZ_CHECK(colon + 2 < error.size(), error); // and a reason
}

bool isStoredType(const QVariant &value)
{
    const QMetaType type = value.metaType();
    return type.id() == QMetaType::LongLong || type.id() == QMetaType::Double || type.id() == QMetaType::Bool
        || type.id() == QMetaType::QString || type == QMetaType::fromType<QFont>()
        || type == QMetaType::fromType<runtime::Picture>();
}

// Keys are kept in lower case, once each; every value reads back under its key.
void checkBag(const FormObject &object)
{
    const QList<PropertyBag::Entry> &entries = object.properties.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const PropertyBag::Entry &entry = entries[i];
        FUZZ_CHECK(entry.key == entry.key.toLower(), entry.key);
        FUZZ_CHECK(isStoredType(entry.value), entry.key + u' ' + QString::fromLatin1(entry.value.typeName()));
        FUZZ_CHECK(PropertyBag::sameValue(object.properties.ReadProperty(entry.key), entry.value), entry.key);
        for (qsizetype j = 0; j < i; ++j)
            FUZZ_CHECK(entries[j].key.compare(entry.key, Qt::CaseInsensitive) != 0, entry.key);
    }
    for (const FormObject &child : object.children)
        checkBag(child);
}

void checkSame(const FormObject &read, const FormObject &back)
{
    const QString where = read.className + u' ' + read.name;
    FUZZ_CHECK(back.className == read.className && back.name == read.name, where);
    const QList<PropertyBag::Entry> &entries = read.properties.entries();
    const QList<PropertyBag::Entry> &again = back.properties.entries();
    FUZZ_CHECK(entries.size() == again.size(), where);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(entries[i].key == again[i].key, where + u' ' + entries[i].key);
        FUZZ_CHECK(PropertyBag::sameValue(entries[i].value, again[i].value),
                   where + u' ' + entries[i].key + QStringLiteral(": ") + entries[i].value.toString()
                       + QStringLiteral(" != ") + again[i].value.toString());
    }
    FUZZ_CHECK(read.children.size() == back.children.size(), where);
    for (qsizetype i = 0; i < read.children.size(); ++i)
        checkSame(read.children[i], back.children[i]);
}

void checkRoundTrip(const FormObject &form)
{
    QString error;
    const QString written = FormFile::serialise(form, scratch().path(), &error);
    if (written.isEmpty()) {
        // Only a picture the image writers cannot store keeps a form from being written.
        FUZZ_CHECK(error.startsWith(QStringLiteral("cannot write the picture")), error);
        return;
    }
    const std::optional<FormObject> back = FormFile::parse(written, scratch().path(), FileName, &error);
    FUZZ_CHECK(back.has_value(), error + u'\n' + written);
    checkSame(form, *back);
    FUZZ_CHECK(FormFile::serialise(*back, scratch().path(), &error) == written, written);
}

// The one conversion rule: whatever the value, a result or nothing.
void checkSavedValues(const PropertyBag &bag)
{
    for (const PropertyBag::Entry &entry : bag.entries()) {
        const std::optional<double> number = runtime::savedNumber(entry.value);
        FUZZ_CHECK(!number || std::isfinite(*number), entry.key);
        const std::optional<std::int16_t> integer = runtime::savedInteger(entry.value);
        FUZZ_CHECK(!integer || (number && *integer == runtime::nearest(*number)), entry.key);
        const std::optional<std::int32_t> whole = runtime::savedLong(entry.value);
        FUZZ_CHECK(!whole || (number && *whole == runtime::nearest(*number)), entry.key);
        const std::optional<std::int16_t> boolean = runtime::savedBoolean(entry.value);
        FUZZ_CHECK(!boolean || *boolean == runtime::True || *boolean == runtime::False, entry.key);
        runtime::savedColour(entry.value);
        runtime::savedText(entry.value);
        runtime::savedFont(entry.value);
        runtime::savedPicture(entry.value);
    }
}

void applyEveryBlock(const FormObject &parent, QWidget *host)
{
    for (const FormObject &block : parent.children) {
        checkSavedValues(block.properties);
        QWidget widget(host);
        const QRect before = widget.geometry();
        runtime::applyControlProperties(&widget, block);
        const PropertyBag &bag = block.properties;
        if (!bag.contains(QStringLiteral("Left")) && !bag.contains(QStringLiteral("Top")))
            FUZZ_CHECK(widget.pos() == before.topLeft(), block.name);
        if (!bag.contains(QStringLiteral("Width")) && !bag.contains(QStringLiteral("Height")))
            FUZZ_CHECK(widget.size() == before.size(), block.name);
        // However far out a skin places a control, it stays where pixel arithmetic holds.
        const int farthest = runtime::Units::FarthestPixels;
        FUZZ_CHECK(std::abs(widget.x()) <= farthest && std::abs(widget.y()) <= farthest && widget.width() <= farthest
                       && widget.height() <= farthest,
                   block.name);

        QTimer timer;
        runtime::applyTimerProperties(timer, block);
        FUZZ_CHECK(!timer.isActive() || timer.interval() > 0, block.name);

        // The first block of the name is the menu's.
        const std::unique_ptr<QMenu> menu(runtime::menuFrom(parent, block.name, host));
        FUZZ_CHECK(menu->actions().size() == parent.child(block.name)->children.size(), block.name);
        applyEveryBlock(block, host);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_form_file";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fuzz::silenceQtMessages();
    static QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    FUZZ_CHECK(scratch().isValid(), scratch().errorString());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // As FormFile::read takes a file's bytes.
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<FormObject> form = FormFile::parse(text, BaseDir, FileName, &error);
    if (!form) {
        checkError(text, error);
        return 0;
    }
    checkBag(*form);
    checkRoundTrip(*form);

    checkSavedValues(form->properties);
    QWidget window;
    runtime::applyControlProperties(&window, *form);
    applyEveryBlock(*form, &window);
    return 0;
}
