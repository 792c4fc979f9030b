#pragma once
// GIO keeps what it has read of mimeapps.list and the applications folders, and drops it
// when a file monitor reports a change, a few milliseconds after the change. A read made
// at once after a write would still see the old state, so a writer waits for GIO.
#include <gio/gio.h>

class AppInfoChanges {
public:
    AppInfoChanges();
    AppInfoChanges(const AppInfoChanges&) = delete;
    AppInfoChanges& operator=(const AppInfoChanges&) = delete;
    ~AppInfoChanges();

    // Before a write: GIO reads, and so watches, every folder it looks up defaults in.
    void Watch();
    // After a write: returns when GIO has dropped what it had read, at most after 2 s.
    void Await();

private:
    GMainContext* context_;
    GAppInfoMonitor* monitor_;
    bool changed_ = false;
};
