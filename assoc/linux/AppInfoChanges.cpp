#include "AppInfoChanges.h"

#include "GLibOwners.h"

namespace {

constexpr guint kLongestWaitMs = 2000;

} // namespace

AppInfoChanges::AppInfoChanges() : context_(g_main_context_new())
{
    // The monitor reports in the context that was the thread's default when it was made:
    // a private one, so that waiting runs nothing of the application's own.
    g_main_context_push_thread_default(context_);
    monitor_ = g_app_info_monitor_get();
    g_main_context_pop_thread_default(context_);
    g_signal_connect_swapped(monitor_, "changed", G_CALLBACK(+[](bool* changed, GAppInfoMonitor*) { *changed = true; }), &changed_);
}

AppInfoChanges::~AppInfoChanges()
{
    g_signal_handlers_disconnect_by_data(monitor_, &changed_);
    // GIO asks that the monitor be released in the context it reports in.
    g_main_context_push_thread_default(context_);
    g_object_unref(monitor_);
    g_main_context_pop_thread_default(context_);
    g_main_context_unref(context_);
}

void AppInfoChanges::Watch()
{
    while (g_main_context_iteration(context_, FALSE)) {
    }
    changed_ = false;
    // Any lookup sets up GIO's watch on every folder it reads.
    const GObjectOwner lookup(g_app_info_get_default_for_type("application/octet-stream", FALSE));
}

void AppInfoChanges::Await()
{
    bool expired = false;
    GSource* timer = g_timeout_source_new(kLongestWaitMs);
    g_source_set_callback(timer, +[](gpointer flag) { *static_cast<bool*>(flag) = true; return G_SOURCE_REMOVE; },
                          &expired, nullptr);
    g_source_attach(timer, context_);
    while (!changed_ && !expired)
        g_main_context_iteration(context_, TRUE);
    g_source_destroy(timer);
    g_source_unref(timer);
}
