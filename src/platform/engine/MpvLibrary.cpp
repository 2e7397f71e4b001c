// The libmpv functions the program calls, each handed on to the library loaded at first use.
#include "engine/MpvLibrary.h"

#include <QtGlobal>
#include <dlfcn.h>
#include <future>
#include <mutex>
#include <mpv/client.h>
#include <mpv/render.h>

namespace {

std::once_flag started;
std::shared_future<void *> library;

void start()
{
    std::call_once(started, [] {
        // Lazily bound: of libmpv's thousands of functions, those called are bound when first called.
        library = std::async(std::launch::async, [] { return dlopen("libmpv.so.2", RTLD_LAZY | RTLD_LOCAL); }).share();
    });
}

void *load()
{
    start();
    void *handle = library.get();
    if (!handle)
        qFatal("libmpv could not be loaded: %s", dlerror());
    return handle;
}

template <typename F>
F symbol(const char *name)
{
    void *f = dlsym(load(), name);
    if (!f)
        qFatal("libmpv lacks %s", name);
    return reinterpret_cast<F>(f);
}

}  // namespace

void MpvLibrary::preload()
{
    start();
}

// Same signatures as the library's headers declare, so the compiler holds each to its declaration.
#define VISTREL_MPV(ret, name, params, args)                                  \
    extern "C" ret name params                                                \
    {                                                                         \
        static const auto real = symbol<ret(*) params>(#name);                \
        return real args;                                                     \
    }

VISTREL_MPV(mpv_handle *, mpv_create, (void), ())
VISTREL_MPV(int, mpv_initialize, (mpv_handle * ctx), (ctx))
VISTREL_MPV(void, mpv_terminate_destroy, (mpv_handle * ctx), (ctx))
VISTREL_MPV(int, mpv_set_option_string, (mpv_handle * ctx, const char *name, const char *data), (ctx, name, data))
VISTREL_MPV(int, mpv_observe_property, (mpv_handle * ctx, uint64_t id, const char *name, mpv_format format),
            (ctx, id, name, format))
VISTREL_MPV(int, mpv_unobserve_property, (mpv_handle * ctx, uint64_t id), (ctx, id))
VISTREL_MPV(void, mpv_set_wakeup_callback, (mpv_handle * ctx, void (*cb)(void *d), void *d), (ctx, cb, d))
VISTREL_MPV(mpv_event *, mpv_wait_event, (mpv_handle * ctx, double timeout), (ctx, timeout))
VISTREL_MPV(char *, mpv_get_property_string, (mpv_handle * ctx, const char *name), (ctx, name))
VISTREL_MPV(void, mpv_free, (void *data), (data))
VISTREL_MPV(int, mpv_command_async, (mpv_handle * ctx, uint64_t id, const char **args), (ctx, id, args))
VISTREL_MPV(int, mpv_set_property_async,
            (mpv_handle * ctx, uint64_t id, const char *name, mpv_format format, void *data),
            (ctx, id, name, format, data))
VISTREL_MPV(int, mpv_get_property_async, (mpv_handle * ctx, uint64_t id, const char *name, mpv_format format),
            (ctx, id, name, format))
VISTREL_MPV(int, mpv_render_context_create, (mpv_render_context * *res, mpv_handle *mpv, mpv_render_param *params),
            (res, mpv, params))
VISTREL_MPV(void, mpv_render_context_set_update_callback,
            (mpv_render_context * ctx, mpv_render_update_fn callback, void *callback_ctx), (ctx, callback, callback_ctx))
VISTREL_MPV(uint64_t, mpv_render_context_update, (mpv_render_context * ctx), (ctx))
VISTREL_MPV(int, mpv_render_context_render, (mpv_render_context * ctx, mpv_render_param *params), (ctx, params))
VISTREL_MPV(void, mpv_render_context_report_swap, (mpv_render_context * ctx), (ctx))
VISTREL_MPV(void, mpv_render_context_free, (mpv_render_context * ctx), (ctx))
