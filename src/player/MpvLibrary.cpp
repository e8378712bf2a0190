// SPDX-License-Identifier: GPL-3.0-or-later
#include "MpvLibrary.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QtGlobal>

#include <mpv/client.h>

#include <dlfcn.h>

#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <type_traits>

// The program defines the engine's functions itself, each handing its call on to the library's.
// They stay out of the program's dynamic symbols (it is not linked to export them), so the
// library's own calls among its functions still reach its own.

namespace {

// The engine functions the program calls, each named once.
#define KAVEL_ENGINE_FUNCTIONS(FUNCTION)                                                                               \
    FUNCTION(mpv_client_api_version)                                                                                   \
    FUNCTION(mpv_error_string)                                                                                         \
    FUNCTION(mpv_free)                                                                                                 \
    FUNCTION(mpv_create)                                                                                               \
    FUNCTION(mpv_initialize)                                                                                           \
    FUNCTION(mpv_terminate_destroy)                                                                                    \
    FUNCTION(mpv_set_option)                                                                                           \
    FUNCTION(mpv_set_option_string)                                                                                    \
    FUNCTION(mpv_command_async)                                                                                        \
    FUNCTION(mpv_set_property_async)                                                                                   \
    FUNCTION(mpv_get_property)                                                                                         \
    FUNCTION(mpv_get_property_string)                                                                                  \
    FUNCTION(mpv_get_property_async)                                                                                   \
    FUNCTION(mpv_observe_property)                                                                                     \
    FUNCTION(mpv_wait_event)                                                                                           \
    FUNCTION(mpv_set_wakeup_callback)

struct Functions {
#define KAVEL_MEMBER(name) decltype(&::name) name = nullptr;
    KAVEL_ENGINE_FUNCTIONS(KAVEL_MEMBER)
#undef KAVEL_MEMBER
};

// The library this program was built against: its major API version is the one in its name.
QByteArray libraryName()
{
    return "libmpv.so." + QByteArray::number(MPV_CLIENT_API_VERSION >> 16);
}

template<typename Function> void resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        qWarning("The engine's library has no %s", name);
}

Functions load()
{
    Functions functions;
    // Bound at once, on this thread: the calls that follow find everything in place.
    void *library = dlopen(libraryName().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qWarning("The engine's library cannot be loaded: %s", dlerror());
        return functions;
    }
    // Never closed: its threads and handlers may outlive any owner here.
#define KAVEL_RESOLVE(name) resolve(library, #name, functions.name);
    KAVEL_ENGINE_FUNCTIONS(KAVEL_RESOLVE)
#undef KAVEL_RESOLVE
    // Without a handle the rest is never called.
    if (!functions.mpv_create)
        functions = {};
    return functions;
}

class Loader
{
public:
    static Loader &instance()
    {
        static Loader loader;
        return loader;
    }

    ~Loader()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    void start()
    {
        std::call_once(m_started, [this] {
            m_functions = m_loaded.get_future().share();
            m_thread = std::thread(&Loader::loadAndWake, this);
        });
    }

    bool isLoaded()
    {
        start();
        return m_functions.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

    const Functions &functions()
    {
        start();
        return m_functions.get();
    }

private:
    void loadAndWake()
    {
        m_loaded.set_value(load());
        // Nothing else wakes a thread that waits for the load responsively; not before the
        // functions are in, or it would find them missing and wait on. An event of no kind does
        // nothing but wake it.
        QCoreApplication::postEvent(&m_starter, new QEvent(QEvent::None));
    }

    // Lives on the thread that started the load.
    QObject m_starter;
    std::once_flag m_started;
    std::promise<Functions> m_loaded;
    std::shared_future<Functions> m_functions;
    std::thread m_thread;
};

// The library's function; where it is missing, the answer an engine that failed gives.
template<auto Member, typename... Arguments> auto forward(Arguments... arguments)
{
    const auto function = Loader::instance().functions().*Member;
    using Result = decltype(function(arguments...));
    if (function)
        return function(arguments...);
    if constexpr (std::is_same_v<Result, int>)
        return int(MPV_ERROR_UNINITIALIZED);
    else if constexpr (std::is_same_v<Result, const char *>)
        return "the engine's library is missing";
    else
        return Result();
}

} // namespace

void MpvLibrary::startLoading()
{
    Loader::instance().start();
}

bool MpvLibrary::isLoaded()
{
    return Loader::instance().isLoaded();
}

extern "C" {

unsigned long mpv_client_api_version(void)
{
    return forward<&Functions::mpv_client_api_version>();
}

const char *mpv_error_string(int error)
{
    return forward<&Functions::mpv_error_string>(error);
}

void mpv_free(void *data)
{
    forward<&Functions::mpv_free>(data);
}

mpv_handle *mpv_create(void)
{
    return forward<&Functions::mpv_create>();
}

int mpv_initialize(mpv_handle *ctx)
{
    return forward<&Functions::mpv_initialize>(ctx);
}

void mpv_terminate_destroy(mpv_handle *ctx)
{
    forward<&Functions::mpv_terminate_destroy>(ctx);
}

int mpv_set_option(mpv_handle *ctx, const char *name, mpv_format format, void *data)
{
    return forward<&Functions::mpv_set_option>(ctx, name, format, data);
}

int mpv_set_option_string(mpv_handle *ctx, const char *name, const char *data)
{
    return forward<&Functions::mpv_set_option_string>(ctx, name, data);
}

int mpv_command_async(mpv_handle *ctx, uint64_t reply_userdata, const char **args)
{
    return forward<&Functions::mpv_command_async>(ctx, reply_userdata, args);
}

int mpv_set_property_async(mpv_handle *ctx, uint64_t reply_userdata, const char *name, mpv_format format, void *data)
{
    return forward<&Functions::mpv_set_property_async>(ctx, reply_userdata, name, format, data);
}

int mpv_get_property(mpv_handle *ctx, const char *name, mpv_format format, void *data)
{
    return forward<&Functions::mpv_get_property>(ctx, name, format, data);
}

char *mpv_get_property_string(mpv_handle *ctx, const char *name)
{
    return forward<&Functions::mpv_get_property_string>(ctx, name);
}

int mpv_get_property_async(mpv_handle *ctx, uint64_t reply_userdata, const char *name, mpv_format format)
{
    return forward<&Functions::mpv_get_property_async>(ctx, reply_userdata, name, format);
}

int mpv_observe_property(mpv_handle *mpv, uint64_t reply_userdata, const char *name, mpv_format format)
{
    return forward<&Functions::mpv_observe_property>(mpv, reply_userdata, name, format);
}

mpv_event *mpv_wait_event(mpv_handle *ctx, double timeout)
{
    return forward<&Functions::mpv_wait_event>(ctx, timeout);
}

void mpv_set_wakeup_callback(mpv_handle *ctx, void (*cb)(void *d), void *d)
{
    forward<&Functions::mpv_set_wakeup_callback>(ctx, cb, d);
}

} // extern "C"
