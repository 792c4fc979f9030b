#pragma once
// Owners for what GLib hands out, each released the way GLib asks.
#include <gio/gio.h>

#include <memory>

template <auto Release> struct GLibRelease {
    template <typename T> void operator()(T* owned) const { Release(owned); }
};

using GCharOwner = std::unique_ptr<gchar, GLibRelease<&g_free>>;
using GStrvOwner = std::unique_ptr<gchar*, GLibRelease<&g_strfreev>>;
using GErrorOwner = std::unique_ptr<GError, GLibRelease<&g_error_free>>;
using GDirOwner = std::unique_ptr<GDir, GLibRelease<&g_dir_close>>;
using GKeyFileOwner = std::unique_ptr<GKeyFile, GLibRelease<&g_key_file_unref>>;
using GObjectOwner = std::unique_ptr<void, GLibRelease<&g_object_unref>>;
