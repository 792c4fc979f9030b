// Sets the class of .rm again and again, between our entry and another player, and reports
// each write on its standard output, until it is killed.
#include "DesktopClassesRoot.h"

#include <cstdio>

int main()
{
    DesktopClassesRoot root;
    for (int i = 0;; ++i) {
        const Variant value = Variant::String(i % 2 ? u"foo-player.desktop" : u"rmfile");
        if (!root.CreateScriptShell()->RegWrite(u"HKCR\\.rm\\", value, u"REG_SZ"))
            return 1;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
