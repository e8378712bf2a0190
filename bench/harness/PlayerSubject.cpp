// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerSubject.h"

#include "Desk.h"
#include "Pointer.h"
#include "Setup.h"
#include "desktop/ClientWindows.h"
#include "desktop/Look.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

const QString WindowClass = QStringLiteral("kavel-player");
const QString PlaylistTitle = QStringLiteral("  KAVEL Playlist");
const QString PlayingTitle = PlaylistTitle + u':';
// What the desktop shows after a window's own title: the program's name.
const QString ProgramSuffix = QStringLiteral(" \u2014 KAVEL Player");

constexpr int TitleStripHeight = 40;
// The face: the pause and next buttons (27 x 23), the exit button at the right end of the
// title strip (13 pixels square), the position bar from x 180 to 2 pixels short of the
// right edge, 7 pixels high, with a thumb 27 pixels long.
constexpr QPoint PauseButton(60 + 13, 16 + 11);
constexpr QPoint NextButton(144 + 13, 16 + 11);
// The "i" caption button, 13 pixels square, 24 pixels from the left of the title strip.
constexpr QPoint FullScreenButton(24 + 6, 6);
// The screen of every desk.
constexpr QRect Screen(0, 0, 1280, 1024);
constexpr int ExitButtonFromRight = 13 - 6;
constexpr int ExitButtonY = 6;
constexpr int BarLeft = 180;
constexpr int BarRightMargin = 2;
constexpr int BarMiddleY = 28 + 3;
constexpr int ThumbLength = 27;
// The thumb is drawn light on a dark track.
constexpr int ThumbGrey = 150;

void pauseFor(int ms)
{
    QThread::msleep(ms);
}

} // namespace

PlayerSubject::PlayerSubject(const Desk &desk, const Setup &setup, const QString &path)
    : m_desk(desk)
{
    QProcessEnvironment env = desk.environment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_program = std::make_unique<desktop::Program>(setup.playerBinary,
                                                   path.isEmpty() ? QStringList() : QStringList {path}, env);
}

std::optional<QRect> PlayerSubject::mainWindow()
{
    if (m_windowId != XCB_NONE) {
        if (const std::optional<QRect> place = desktop::placeOf(m_desk.connection(), m_windowId))
            return place;
    }
    for (const desktop::ClientWindow &window : desktop::clientWindows(m_desk.connection())) {
        // Not the playlist window, a menu or a tip.
        if (window.viewable && window.className == WindowClass && !window.title.startsWith(PlaylistTitle)
            && window.rect.width() >= 400 && window.rect.height() >= 300) {
            m_windowId = window.id;
            return window.rect;
        }
    }
    return std::nullopt;
}

std::optional<QRect> PlayerSubject::pictureArea()
{
    if (m_fullScreen)
        return Screen;
    const std::optional<QRect> window = mainWindow();
    return window ? std::optional(window->adjusted(0, TitleStripHeight, 0, 0)) : std::nullopt;
}

bool PlayerSubject::waitForWindow(int timeoutMs)
{
    // In place once three readings 100 ms apart agree.
    QDeadlineTimer deadline(timeoutMs);
    std::optional<QRect> last;
    int same = 0;
    while (!deadline.hasExpired() && running()) {
        const std::optional<QRect> now = mainWindow();
        same = now && now == last ? same + 1 : 0;
        last = now;
        if (same >= 2) {
            m_window = *now;
            return true;
        }
        pauseFor(100);
    }
    return false;
}

void PlayerSubject::pressAt(QPoint inWindow)
{
    pointer::moveTo(m_desk, m_window.topLeft() + inWindow);
    pointer::sync(m_desk);
    pauseFor(150);
    pointer::press(m_desk);
    pointer::sync(m_desk);
    pauseFor(50);
}

void PlayerSubject::toggleFullScreen()
{
    pressAt(FullScreenButton);
    pointer::release(m_desk);
    pointer::sync(m_desk);
    m_fullScreen = !m_fullScreen;
}

void PlayerSubject::pause()
{
    pressAt(PauseButton);
    pointer::release(m_desk);
    pointer::sync(m_desk);
}

void PlayerSubject::prepareNext()
{
    // A button acts when it is let go.
    pressAt(NextButton);
}

void PlayerSubject::next()
{
    pointer::release(m_desk);
}

bool PlayerSubject::prepareSeek()
{
    const int barWidth = m_window.width() - BarLeft - BarRightMargin;
    const std::vector<int> row
        = desktop::greyRow(m_desk.connection(), m_window.x() + BarLeft, m_window.y() + BarMiddleY, barWidth);
    if (int(row.size()) < ThumbLength)
        return false;
    // The thumb is where the brightest stretch of its length lies.
    int sum = 0;
    int best = -1;
    int bestLeft = 0;
    for (int x = 0; x < int(row.size()); ++x) {
        sum += row[x] - (x >= ThumbLength ? row[x - ThumbLength] : 0);
        if (x >= ThumbLength - 1 && sum > best) {
            best = sum;
            bestLeft = x - ThumbLength + 1;
        }
    }
    if (best < ThumbGrey * ThumbLength / 2)
        return false;
    // Grabbed in its middle.
    pressAt(QPoint(BarLeft + bestLeft + ThumbLength / 2, BarMiddleY));
    return true;
}

void PlayerSubject::seek(double share)
{
    // The thumb keeps its middle under the pointer.
    const int travel = m_window.width() - BarLeft - BarRightMargin - ThumbLength;
    const int x = BarLeft + ThumbLength / 2 + int(share * travel);
    pointer::moveTo(m_desk, m_window.topLeft() + QPoint(x, BarMiddleY));
}

void PlayerSubject::finishSeek()
{
    pointer::release(m_desk);
    pointer::sync(m_desk);
}

bool PlayerSubject::restOnExitButton()
{
    // Two moves, as a real pointer makes many: the first one starts the hover tracking.
    for (int dx : {0, 1}) {
        pointer::moveTo(m_desk, m_window.topLeft() + QPoint(m_window.width() - ExitButtonFromRight + dx, ExitButtonY));
        pointer::sync(m_desk);
        pauseFor(100);
    }
    return true;
}

QString PlayerSubject::playing()
{
    QString title = desktop::titleOf(m_desk.connection(), WindowClass, PlayingTitle).mid(PlayingTitle.size());
    if (title.endsWith(ProgramSuffix))
        title.chop(ProgramSuffix.size());
    return title;
}
