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

struct Functions {
    decltype(&mpv_client_api_version) clientApiVersion = nullptr;
    decltype(&mpv_error_string) errorString = nullptr;
    decltype(&mpv_free) free = nullptr;
    decltype(&mpv_create) create = nullptr;
    decltype(&mpv_initialize) initialize = nullptr;
    decltype(&mpv_terminate_destroy) terminateDestroy = nullptr;
    decltype(&mpv_set_option) setOption = nullptr;
    decltype(&mpv_set_option_string) setOptionString = nullptr;
    decltype(&mpv_command_async) commandAsync = nullptr;
    decltype(&mpv_set_property_async) setPropertyAsync = nullptr;
    decltype(&mpv_get_property) getProperty = nullptr;
    decltype(&mpv_get_property_string) getPropertyString = nullptr;
    decltype(&mpv_get_property_async) getPropertyAsync = nullptr;
    decltype(&mpv_observe_property) observeProperty = nullptr;
    decltype(&mpv_wait_event) waitEvent = nullptr;
    decltype(&mpv_set_wakeup_callback) setWakeupCallback = nullptr;
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
    resolve(library, "mpv_client_api_version", functions.clientApiVersion);
    resolve(library, "mpv_error_string", functions.errorString);
    resolve(library, "mpv_free", functions.free);
    resolve(library, "mpv_create", functions.create);
    resolve(library, "mpv_initialize", functions.initialize);
    resolve(library, "mpv_terminate_destroy", functions.terminateDestroy);
    resolve(library, "mpv_set_option", functions.setOption);
    resolve(library, "mpv_set_option_string", functions.setOptionString);
    resolve(library, "mpv_command_async", functions.commandAsync);
    resolve(library, "mpv_set_property_async", functions.setPropertyAsync);
    resolve(library, "mpv_get_property", functions.getProperty);
    resolve(library, "mpv_get_property_string", functions.getPropertyString);
    resolve(library, "mpv_get_property_async", functions.getPropertyAsync);
    resolve(library, "mpv_observe_property", functions.observeProperty);
    resolve(library, "mpv_wait_event", functions.waitEvent);
    resolve(library, "mpv_set_wakeup_callback", functions.setWakeupCallback);
    // Without a handle the rest is never called.
    if (!functions.create)
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
    return forward<&Functions::clientApiVersion>();
}

const char *mpv_error_string(int error)
{
    return forward<&Functions::errorString>(error);
}

void mpv_free(void *data)
{
    forward<&Functions::free>(data);
}

mpv_handle *mpv_create(void)
{
    return forward<&Functions::create>();
}

int mpv_initialize(mpv_handle *ctx)
{
    return forward<&Functions::initialize>(ctx);
}

void mpv_terminate_destroy(mpv_handle *ctx)
{
    forward<&Functions::terminateDestroy>(ctx);
}

int mpv_set_option(mpv_handle *ctx, const char *name, mpv_format format, void *data)
{
    return forward<&Functions::setOption>(ctx, name, format, data);
}

int mpv_set_option_string(mpv_handle *ctx, const char *name, const char *data)
{
    return forward<&Functions::setOptionString>(ctx, name, data);
}

int mpv_command_async(mpv_handle *ctx, uint64_t reply_userdata, const char **args)
{
    return forward<&Functions::commandAsync>(ctx, reply_userdata, args);
}

int mpv_set_property_async(mpv_handle *ctx, uint64_t reply_userdata, const char *name, mpv_format format, void *data)
{
    return forward<&Functions::setPropertyAsync>(ctx, reply_userdata, name, format, data);
}

int mpv_get_property(mpv_handle *ctx, const char *name, mpv_format format, void *data)
{
    return forward<&Functions::getProperty>(ctx, name, format, data);
}

char *mpv_get_property_string(mpv_handle *ctx, const char *name)
{
    return forward<&Functions::getPropertyString>(ctx, name);
}

int mpv_get_property_async(mpv_handle *ctx, uint64_t reply_userdata, const char *name, mpv_format format)
{
    return forward<&Functions::getPropertyAsync>(ctx, reply_userdata, name, format);
}

int mpv_observe_property(mpv_handle *mpv, uint64_t reply_userdata, const char *name, mpv_format format)
{
    return forward<&Functions::observeProperty>(mpv, reply_userdata, name, format);
}

mpv_event *mpv_wait_event(mpv_handle *ctx, double timeout)
{
    return forward<&Functions::waitEvent>(ctx, timeout);
}

void mpv_set_wakeup_callback(mpv_handle *ctx, void (*cb)(void *d), void *d)
{
    forward<&Functions::setWakeupCallback>(ctx, cb, d);
}

} // extern "C"
