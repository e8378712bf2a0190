// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowManagerHints.h"

#include "QtPrinters.h"
#include "desktop/Desktop.h"
#include "desktop/WaitFor.h"
#include "desktop/Xcb.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

using desktop::Reply;

// WM_NORMAL_HINTS, as 32-bit fields.
constexpr std::uint32_t MinSizeFlag = 1U << 4;
constexpr std::uint32_t MaxSizeFlag = 1U << 5;
constexpr std::uint32_t IncrementFlag = 1U << 6;
constexpr std::uint32_t AspectFlag = 1U << 7;
enum NormalHintsField { Flags = 0, MinWidth = 5, MinHeight, MaxWidth, MaxHeight, WidthIncrement, MinAspectNum = 11 };

// The first size of the test windows, and so their proportions.
const QSize FirstSize(408, 374);

// The display as the window manager sees it: a connection of its own.
class Observer
{
public:
    Observer()
        : m_connection(xcb_connect(nullptr, nullptr), &xcb_disconnect)
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root)
    {
    }

    xcb_atom_t atom(const char *name) const
    {
        Reply<xcb_intern_atom_reply_t> reply {
            xcb_intern_atom_reply(m_connection.get(),
                                  xcb_intern_atom(m_connection.get(), 0, std::uint16_t(std::strlen(name)), name),
                                  nullptr),
            &std::free};
        return reply ? reply->atom : xcb_atom_t(XCB_NONE);
    }

    std::vector<std::uint32_t> property(xcb_window_t window, const char *name) const
    {
        Reply<xcb_get_property_reply_t> reply {
            xcb_get_property_reply(m_connection.get(),
                                   xcb_get_property(m_connection.get(), 0, window, atom(name), XCB_ATOM_ANY, 0, 64),
                                   nullptr),
            &std::free};
        if (!reply || reply->format != 32)
            return {};
        const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
        return {values, values + xcb_get_property_value_length(reply.get()) / 4};
    }

    // The aspect the window manager has: a narrow band around the proportions.
    bool hasAspect(xcb_window_t window, QSize ratio = FirstSize) const
    {
        const std::vector<std::uint32_t> hints = property(window, "WM_NORMAL_HINTS");
        if (hints.size() < 18 || !(hints[Flags] & AspectFlag) || !hints[MinAspectNum + 1] || !hints[MinAspectNum + 3])
            return false;
        const double exact = double(ratio.width()) / ratio.height();
        const double least = double(hints[MinAspectNum]) / hints[MinAspectNum + 1];
        const double most = double(hints[MinAspectNum + 2]) / hints[MinAspectNum + 3];
        return least < exact && exact < most && most - least < exact * 1e-4;
    }

    // Moves the window as another client would; once the window manager has done it, it has
    // handled everything sent before.
    void moveBy(xcb_window_t window, int dx)
    {
        const QRect before = geometry(window);
        const std::uint32_t x = std::uint32_t(before.x() + dx);
        xcb_configure_window(m_connection.get(), window, XCB_CONFIG_WINDOW_X, &x);
        xcb_flush(m_connection.get());
    }

    // Where the window is on the screen, and its size.
    QRect geometry(xcb_window_t window) const
    {
        Reply<xcb_get_geometry_reply_t> size {
            xcb_get_geometry_reply(m_connection.get(), xcb_get_geometry(m_connection.get(), window), nullptr),
            &std::free};
        Reply<xcb_translate_coordinates_reply_t> place {
            xcb_translate_coordinates_reply(
                m_connection.get(), xcb_translate_coordinates(m_connection.get(), window, m_root, 0, 0), nullptr),
            &std::free};
        if (!size || !place)
            return {};
        return {place->dst_x, place->dst_y, size->width, size->height};
    }

private:
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> m_connection;
    xcb_window_t m_root;
};

xcb_window_t nativeWindow(const QWidget &window)
{
    return xcb_window_t(window.windowHandle()->winId());
}

// Until the reply, so that everything the application asked for has happened
// on the server, while none of the events it caused has been handled yet.
void roundTrip()
{
    xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// A window like the main window: Qt draws no frame for it.
struct TestWindow {
    TestWindow()
        : widget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        widget.resize(FirstSize);
        widget.setMinimumSize(FirstSize);
        hints = WindowManagerHints::create(&widget);
    }

    QWidget widget;
    std::unique_ptr<WindowManagerHints> hints;
};

TEST(X11WindowManagerHints, AspectHintKeepsWhatQtWrote)
{
    TestWindow window;
    Observer observer;
    ASSERT_TRUE(window.hints->setAspectRatio(FirstSize));
    roundTrip();
    const std::vector<std::uint32_t> hints = observer.property(nativeWindow(window.widget), "WM_NORMAL_HINTS");
    ASSERT_EQ(hints.size(), 18U);
    EXPECT_TRUE(observer.hasAspect(nativeWindow(window.widget)));
    EXPECT_TRUE(hints[Flags] & MinSizeFlag);
    EXPECT_EQ(hints[MinWidth], 408U);
    EXPECT_EQ(hints[MinHeight], 374U);
}

struct QtRewrite {
    const char *name;
    bool onHiddenWindow;
    std::function<void(QWidget &)> apply;
    // What Qt wrote, so the test knows it was Qt's new value that lost the aspect.
    std::function<bool(const std::vector<std::uint32_t> &)> written;
};

void PrintTo(const QtRewrite &rewrite, std::ostream *os)
{
    *os << rewrite.name;
}

const auto Anything = [](const std::vector<std::uint32_t> &hints) {
    return hints.size() == 18;
};

const QtRewrite QtRewrites[] = {
    {"Show", true, [](QWidget &w) { w.show(); }, Anything},
    {"Resize", false, [](QWidget &w) { w.resize(500, 400); }, Anything},
    {"Move", false, [](QWidget &w) { w.move(40, 50); }, Anything},
    {"SetGeometry", false, [](QWidget &w) { w.setGeometry(30, 30, 520, 480); }, Anything},
    {"SetMinimumSize", false, [](QWidget &w) { w.setMinimumSize(420, 380); },
     [](const std::vector<std::uint32_t> &h) {
         return h.size() == 18 && h[MinWidth] == 420 && h[MinHeight] == 380;
     }},
    {"SetMaximumSize", false, [](QWidget &w) { w.setMaximumSize(1000, 900); },
     [](const std::vector<std::uint32_t> &h) {
         return h.size() == 18 && (h[Flags] & MaxSizeFlag) && h[MaxWidth] == 1000;
     }},
    {"SetSizeIncrement", false, [](QWidget &w) { w.setSizeIncrement(2, 2); },
     [](const std::vector<std::uint32_t> &h) {
         return h.size() == 18 && (h[Flags] & IncrementFlag) && h[WidthIncrement] == 2;
     }},
};

class QtRewritesNormalHints : public ::testing::TestWithParam<QtRewrite>
{
};

// Qt writes the property anew without the aspect; it is added again, and what
// Qt wrote stays.
TEST_P(QtRewritesNormalHints, AspectComesBack)
{
    TestWindow window;
    Observer observer;
    const QtRewrite &rewrite = GetParam();
    ASSERT_TRUE(window.hints->setAspectRatio(FirstSize));
    if (!rewrite.onHiddenWindow)
        window.widget.show();
    ASSERT_TRUE(waitFor([&] { return observer.hasAspect(nativeWindow(window.widget)); }));
    const xcb_window_t native = nativeWindow(window.widget);

    rewrite.apply(window.widget);
    roundTrip();
    EXPECT_FALSE(observer.hasAspect(native)) << "Qt kept it: nothing to add again";
    ASSERT_TRUE(rewrite.written(observer.property(native, "WM_NORMAL_HINTS")));

    EXPECT_TRUE(waitFor([&] { return observer.hasAspect(native); }));
    EXPECT_TRUE(rewrite.written(observer.property(native, "WM_NORMAL_HINTS")));
}

INSTANTIATE_TEST_SUITE_P(Calls, QtRewritesNormalHints, ::testing::ValuesIn(QtRewrites),
                         [](const auto &info) { return std::string(info.param.name); });

const std::vector<std::uint32_t> BorderWithoutTitle = {3, 1, 2, 0, 0};

TEST(X11WindowManagerHints, BorderRequestReplacesQtsFramelessHints)
{
    TestWindow window;
    Observer observer;
    const xcb_atom_t undecorated = observer.atom("_KDE_NET_WM_WINDOW_TYPE_OVERRIDE");
    const xcb_atom_t normal = observer.atom("_NET_WM_WINDOW_TYPE_NORMAL");
    roundTrip();
    ASSERT_EQ(observer.property(nativeWindow(window.widget), "_MOTIF_WM_HINTS"),
              std::vector<std::uint32_t>({2, 1, 0, 0, 0}))
        << "Qt's own: no decorations at all";
    ASSERT_EQ(observer.property(nativeWindow(window.widget), "_NET_WM_WINDOW_TYPE"),
              std::vector<std::uint32_t>({undecorated, normal}));

    ASSERT_TRUE(window.hints->requestBorderWithoutTitle());
    roundTrip();
    EXPECT_EQ(observer.property(nativeWindow(window.widget), "_MOTIF_WM_HINTS"), BorderWithoutTitle);
    EXPECT_EQ(observer.property(nativeWindow(window.widget), "_NET_WM_WINDOW_TYPE"),
              std::vector<std::uint32_t>({normal}));

    // Without a window manager there is no frame.
    window.widget.show();
    roundTrip();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.hints->frameExtents().isNull());
}

// New flags give the widget a new native window, with Qt's hints only.
TEST(X11WindowManagerHints, NewNativeWindowGetsTheHintsAgain)
{
    TestWindow window;
    Observer observer;
    ASSERT_TRUE(window.hints->setAspectRatio(FirstSize));
    ASSERT_TRUE(window.hints->requestBorderWithoutTitle());
    window.widget.show();
    const xcb_window_t first = nativeWindow(window.widget);

    window.widget.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.widget.show();
    const xcb_window_t second = nativeWindow(window.widget);
    ASSERT_NE(second, first);
    const std::vector<std::uint32_t> normal = {observer.atom("_NET_WM_WINDOW_TYPE_NORMAL")};
    EXPECT_TRUE(waitFor([&] {
        return observer.hasAspect(second) && observer.property(second, "_MOTIF_WM_HINTS") == BorderWithoutTitle
            && observer.property(second, "_NET_WM_WINDOW_TYPE") == normal;
    }));
}

// Runs xdotool while the application keeps answering the window manager.
void xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(waitFor([&] { return tool.state() == QProcess::NotRunning; })) << arguments.join(u' ').toStdString();
    ASSERT_EQ(tool.exitCode(), 0) << arguments.join(u' ').toStdString();
}

class X11WindowManagerFrame : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { session = desktop::startWindowManager(); }
    static void TearDownTestSuite() { session.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(session->ready());
        QSignalSpy frames(window.hints.get(), &WindowManagerHints::frameExtentsChanged);
        ASSERT_TRUE(window.hints->setAspectRatio(FirstSize));
        ASSERT_TRUE(window.hints->requestBorderWithoutTitle());
        window.widget.show();
        ASSERT_TRUE(waitFor([&] { return window.hints->frameExtents().left() > 0; })) << "no frame";
        ASSERT_FALSE(frames.isEmpty());
        EXPECT_EQ(frames.last().at(0).value<QMargins>(), window.hints->frameExtents());
        // The window manager has the aspect before any drag begins.
        ASSERT_TRUE(waitFor([&] { return observer.hasAspect(nativeWindow(window.widget)); }));
    }

    static std::unique_ptr<desktop::Program> session;
    TestWindow window;
    Observer observer;
};

std::unique_ptr<desktop::Program> X11WindowManagerFrame::session;

TEST_F(X11WindowManagerFrame, BorderLiesOutsideTheWindowWithoutATitle)
{
    const QMargins frame = window.hints->frameExtents();
    EXPECT_GT(frame.left(), 0) << frame.left();
    EXPECT_GT(frame.right(), 0);
    EXPECT_GT(frame.bottom(), 0);
    // A title bar would make the top far deeper than the border elsewhere.
    EXPECT_LE(frame.top(), std::max({frame.left(), frame.right(), frame.bottom()}));
    EXPECT_EQ(observer.geometry(nativeWindow(window.widget)).size(), FirstSize) << "the border takes no client area";
}

// A size in the proportions stays as the program set it, where a window manager that works the
// ratio out in single precision would cut it short (openbox: 440 x 374 at 400:340 made 440 x 373).
TEST(X11WindowManagerAspect, SizeInTheProportionsStaysAsSet)
{
    const std::unique_ptr<desktop::Program> session = desktop::startWindowManager();
    ASSERT_TRUE(session->ready());
    TestWindow window;
    Observer observer;
    const QSize ratio(400, 340);
    const QSize size(440, 374);
    window.widget.setMinimumSize(size);
    window.widget.resize(size);
    ASSERT_TRUE(window.hints->setAspectRatio(ratio));
    ASSERT_TRUE(window.hints->requestBorderWithoutTitle());
    window.widget.show();
    const xcb_window_t native = nativeWindow(window.widget);
    ASSERT_TRUE(waitFor([&] { return window.hints->frameExtents().left() > 0 && observer.hasAspect(native, ratio); }));
    const int x = observer.geometry(native).x();
    observer.moveBy(native, 10);
    ASSERT_TRUE(waitFor([&] { return observer.geometry(native).x() != x; })) << "the window manager did not move it";
    EXPECT_EQ(observer.geometry(native).size(), size);
}

struct Drag {
    const char *name;
    // Where on the border to press, from the window's place and the frame.
    std::function<QPoint(const QRect &window, const QMargins &frame)> from;
    QPoint by;
    // The side the user's drag sets; the other follows the proportions.
    bool setsWidth;
};

void PrintTo(const Drag &drag, std::ostream *os)
{
    *os << drag.name;
}

class X11WindowManagerDrag : public X11WindowManagerFrame, public ::testing::WithParamInterface<Drag>
{
};

TEST_P(X11WindowManagerDrag, DraggedBorderKeepsTheFirstProportions)
{
    const Drag &drag = GetParam();
    const xcb_window_t native = nativeWindow(window.widget);
    const QRect before = observer.geometry(native);
    ASSERT_EQ(before.size(), FirstSize);
    const QPoint from = drag.from(before, window.hints->frameExtents());
    const QPoint half = from + drag.by / 2;
    const QPoint to = from + drag.by;
    // One step at a time, each after the last has reached the server.
    const auto moveTo = [](const QPoint &p) {
        xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
    };
    moveTo(from);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    moveTo(half);
    moveTo(to);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});

    const int grown = drag.setsWidth ? FirstSize.width() + drag.by.x() : FirstSize.height() + drag.by.y();
    QSize size;
    const bool resized = waitFor([&] {
        size = observer.geometry(native).size();
        const int set = drag.setsWidth ? size.width() : size.height();
        return std::abs(set - grown) <= 2;
    });
    ASSERT_TRUE(resized) << size.width() << "x" << size.height();
    // Proportions of the first size, within a pixel or two of the side that follows.
    if (drag.setsWidth)
        EXPECT_NEAR(size.height(), size.width() * 374.0 / 408.0, 2.0) << size.width() << "x" << size.height();
    else
        EXPECT_NEAR(size.width(), size.height() * 408.0 / 374.0, 2.0) << size.width() << "x" << size.height();
    EXPECT_TRUE(waitFor([&] { return window.widget.size() == size; })) << "Qt follows";
}

INSTANTIATE_TEST_SUITE_P(Edges, X11WindowManagerDrag,
                         ::testing::Values(Drag {"RightEdgeWider",
                                                 [](const QRect &w, const QMargins &f) {
                                                     return QPoint(w.right() + 1 + f.right() / 2, w.center().y());
                                                 },
                                                 {100, 0},
                                                 true},
                                           Drag {"BottomEdgeDown",
                                                 [](const QRect &w, const QMargins &f) {
                                                     return QPoint(w.center().x(), w.bottom() + 1 + f.bottom() / 2);
                                                 },
                                                 {0, 100},
                                                 false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
