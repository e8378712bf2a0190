// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon's tip on any text, through the 64-byte field of the record the
// notification area reads; and that record read from any bytes.

#include "FuzzSupport.h"
#include "controls/ShellIcon/NotifyIconData.h"
#include "platform/NotifyIconDataA.h"

#include <QHash>
#include <QStringDecoder>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

constexpr qsizetype TipLength = NotifyIconDataA::TipLength;

// The code page's own table, from the system's converter: the byte of every
// character it holds. The five bytes it leaves undefined are never written.
struct CodePage {
    QHash<char16_t, char> bytes;

    CodePage()
    {
        QStringDecoder decoder("windows-1252");
        FUZZ_CHECK(decoder.isValid(), QStringLiteral("no converter for windows-1252"));
        for (int b = 0; b < 256; ++b) {
            if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
                continue;
            const QString c = decoder.decode(QByteArray(1, char(b)));
            FUZZ_CHECK(c.size() == 1, c);
            bytes.insert(c[0].unicode(), char(b));
        }
    }

    QByteArray encode(QStringView text) const
    {
        QByteArray out;
        for (const QChar c : text)
            out.append(bytes.value(c.unicode(), '?'));
        return out;
    }

    QString decode(QByteArrayView field) const
    {
        QStringDecoder stateless("windows-1252", QStringConverter::Flag::Stateless);
        return stateless.decode(field);
    }
};

const CodePage &codePage()
{
    static const CodePage page;
    return page;
}

void checkTip(const QString &text)
{
    NotifyIconData record;
    record.cbSize = NotifyIconDataA::Size; // as the icon control fills it in
    record.setTip(text);
    const QString &tip = record.szTip;
    FUZZ_CHECK(tip.size() == TipLength, tip);
    FUZZ_CHECK(tip.startsWith(text.left(TipLength)), tip);
    if (text.size() < TipLength) {
        FUZZ_CHECK(tip[text.size()] == QChar(u'\0'), tip);
        FUZZ_CHECK(QStringView(tip).sliced(text.size() + 1).count(u' ') == TipLength - text.size() - 1, tip);
    }

    const NotifyIconDataA ansi = record.toAnsi();
    const QByteArray bytes = ansi.toBytes();
    FUZZ_CHECK(bytes.size() == qsizetype(NotifyIconDataA::Size), QString::number(bytes.size()));
    const QByteArray field = bytes.sliced(24);
    FUZZ_CHECK(field.size() == TipLength && field == codePage().encode(tip), QString::fromLatin1(field.toHex()));

    // The notification area shows the converted text up to its first NUL.
    const std::optional<NotifyIconDataA> received = NotifyIconDataA::fromBytes(bytes);
    FUZZ_CHECK(received.has_value(), QString());
    const QString converted = codePage().decode(codePage().encode(text.left(TipLength)));
    FUZZ_CHECK(received->tip() == converted.section(QChar(u'\0'), 0, 0), received->tip());

    // What the call was given is what the control holds afterwards.
    NotifyIconData after;
    after.tipFromAnsi(ansi);
    FUZZ_CHECK(after.szTip == codePage().decode(field), after.szTip);
}

void checkRecord(QByteArrayView bytes)
{
    const std::uint32_t size = bytes.size() >= 4 ? qFromLittleEndian<std::uint32_t>(bytes.data()) : 0;
    const std::optional<NotifyIconDataA> record = NotifyIconDataA::fromBytes(bytes);
    FUZZ_CHECK(record.has_value()
                   == (bytes.size() >= qsizetype(NotifyIconDataA::Size) && size == NotifyIconDataA::Size),
               QString::number(bytes.size()));
    if (!record)
        return;
    FUZZ_CHECK(record->toBytes() == bytes.first(NotifyIconDataA::Size), QString());
    const QString tip = record->tip();
    FUZZ_CHECK(tip.size() <= TipLength && !tip.contains(QChar(u'\0')), tip);
    FUZZ_CHECK(tip == codePage().decode(bytes.sliced(24, tip.size())), tip);
    FUZZ_CHECK(tip.size() == TipLength || bytes[24 + tip.size()] == '\0', tip);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::silenceQtMessages();
    codePage();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    checkTip(QString::fromUtf8(bytes));
    checkRecord(bytes);
    return 0;
}
