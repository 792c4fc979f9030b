#include "RamMetafile.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Locations = std::vector<ClipLocation>;

ClipLocation P(std::string path) { return {ClipLocation::Kind::Path, std::move(path)}; }
ClipLocation U(std::string url) { return {ClipLocation::Kind::Url, std::move(url)}; }
ClipLocation X(std::string line) { return {ClipLocation::Kind::Unsupported, std::move(line)}; }

TEST(RamMetafile, ListsTheLocationsOfItsLinesInOrder)
{
    const struct { const char* fault; std::string contents; const char* folder; Locations expected; } cases[] = {
        {"blank and comment lines are skipped, the order is kept", "# list\n\n/a.rm\n \t\n  #/b.rm\nc.rm\n", "/f",
         {P("/a.rm"), P("/f/c.rm")}},
        {"a relative path is taken from the metafile's folder", "sub/c.rm\n../d.rm", "/f/",
         {P("/f/sub/c.rm"), P("/f/../d.rm")}},
        {"CR LF and CR end lines; a byte-order mark and blanks around a line do not count",
         "\xEF\xBB\xBF /a.rm \r\n\t/b c.rm\r/d.rm", "/f", {P("/a.rm"), P("/b c.rm"), P("/d.rm")}},
        {"a URL's query and fragment are not part of it; its scheme is lower-cased",
         "http://h:8080/a.rm?start=10&end=20\nrtsp://h/b.rm?x#y\nHTTPS://h/c.rm#t", "/f",
         {U("http://h:8080/a.rm"), U("rtsp://h/b.rm"), U("https://h/c.rm")}},
        {"a file URL here becomes its decoded path", "file:///m/My%20Clip.rm?start=1\nFILE://LocalHost/m/%zz.rm", "/f",
         {P("/m/My Clip.rm"), P("/m/%zz.rm")}},
        {"another host's file URL, other schemes and NULs name nothing to open",
         "file://host/m/a.rm\npnm://h/a.rm\nedl://a.rm;b.rm\n/a\0b.rm\nfile:///a%00b.rm"s, "/f",
         {X("file://host/m/a.rm"), X("pnm://h/a.rm"), X("edl://a.rm;b.rm"), X("/a\0b.rm"s), X("file:///a%00b.rm")}},
        {"a scheme-like word inside a path is part of the path", "My Clips/http://x.rm\n-", "/f",
         {P("/f/My Clips/http://x.rm"), P("/f/-")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadRamMetafile(c.contents, c.folder), c.expected) << c.fault;

    for (const auto& [name, metafile] : {std::pair{"/m/list.ram", true}, {"list.RAM", true}, {"/m/x.Ram", true},
                                         {"/m/clip.rm", false}, {"/m/ram", false}, {"/m/list.ram.rm", false}})
        EXPECT_EQ(IsRamMetafile(name), metafile) << name;
}

} // namespace
