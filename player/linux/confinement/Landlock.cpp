#include "Landlock.h"

#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Rights and rules of kernels newer than the system's headers may name.
constexpr std::uint64_t kTruncate = 1ULL << 14;        // ABI 3
constexpr std::uint64_t kIoctlDev = 1ULL << 15;        // ABI 5
constexpr std::uint64_t kBindTcp = 1ULL << 0;          // ABI 4
constexpr std::uint64_t kConnectTcp = 1ULL << 1;       // ABI 4
constexpr std::uint64_t kScopeAbstractUnix = 1ULL << 0; // ABI 6
constexpr std::uint64_t kScopeSignal = 1ULL << 1;      // ABI 6

// The ruleset's attributes as the newest kernels read them; older ones accept the longer
// structure as long as what they do not know is zero.
struct RulesetAttributes {
    std::uint64_t handledAccessFs = 0;
    std::uint64_t handledAccessNet = 0;
    std::uint64_t scoped = 0;
};

constexpr std::uint64_t kRead = LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
constexpr std::uint64_t kReadWrite = kRead | LANDLOCK_ACCESS_FS_WRITE_FILE | kIoctlDev;
constexpr std::uint64_t kScratch = kReadWrite | LANDLOCK_ACCESS_FS_MAKE_REG | LANDLOCK_ACCESS_FS_REMOVE_FILE | kTruncate;
// The only rights a rule on a file, not a folder, may hold.
constexpr std::uint64_t kFileRights = LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_WRITE_FILE |
                                      LANDLOCK_ACCESS_FS_READ_FILE | kTruncate | kIoctlDev;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { if (fd_ >= 0) ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::uint64_t HandledFileAccess(int abi)
{
    std::uint64_t handled = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;  // ABI 1: every right up to symbolic links
    if (abi >= 2)
        handled |= LANDLOCK_ACCESS_FS_REFER;
    if (abi >= 3)
        handled |= kTruncate;
    if (abi >= 5)
        handled |= kIoctlDev;
    return handled;
}

// A folder of the user's, from its XDG variable or its default under the home.
std::string UserFolder(const char* variable, const char* underHome)
{
    if (const char* set = std::getenv(variable); set && *set == '/')
        return set;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "/nonexistent") + "/" + underHome;
}

struct Grant {
    std::string path;
    std::uint64_t rights;
};

// What playing needs besides the clips, with why.
std::vector<Grant> SystemGrants()
{
    const std::string data = UserFolder("XDG_DATA_HOME", ".local/share");
    const std::string config = UserFolder("XDG_CONFIG_HOME", ".config");
    const std::string home = UserFolder("HOME", "");
    return {
        {"/usr", kRead},                   // libraries, Qt's plugins, fonts, locales, sound configuration
        {"/etc", kRead},                   // font and sound configuration, name resolution for URLs
        {"/var/cache/fontconfig", kRead},  // the system's font cache
        {"/proc/self", kRead},             // the process's own state, which the C library and Qt read
        {"/sys", kRead},                   // the number of processors, the sound cards
        {"/dev/snd", kReadWrite},          // the audio devices
        {"/dev/null", kReadWrite},         // output the libraries discard
        {"/dev/urandom", kRead},           // randomness for TLS and hash tables
        {"/dev/shm", kScratch},            // shared memory with the sound server
        // The user's fonts and cursors, and the cookie the sound server asks for: no other
        // file of the user's.
        {data + "/fonts", kRead},
        {home + "/.fonts", kRead},
        {config + "/fontconfig", kRead},
        {UserFolder("XDG_CACHE_HOME", ".cache") + "/fontconfig", kRead},
        {data + "/icons", kRead},
        {home + "/.icons", kRead},
        {config + "/pulse", kRead},
    };
}

void Allow(int ruleset, const std::string& path, std::uint64_t rights)
{
    const Descriptor beneath(::open(path.c_str(), O_PATH | O_CLOEXEC));
    struct stat status;
    if (beneath.get() < 0 || ::fstat(beneath.get(), &status) != 0)
        return;  // not on this system: nothing to allow
    if (!S_ISDIR(status.st_mode))
        rights &= kFileRights;
    landlock_path_beneath_attr rule{rights, beneath.get()};
    ::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0);
}

} // namespace

int LandlockAbi()
{
    const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    return abi < 0 ? 0 : static_cast<int>(abi);
}

int RestrictFilesAndNetwork(const std::vector<std::string>& clips, bool network)
{
    const int abi = LandlockAbi();
    if (abi == 0)
        return 0;
    RulesetAttributes attributes;
    attributes.handledAccessFs = HandledFileAccess(abi);
    // No TCP port is ever bound; connections only for a network location.
    if (abi >= 4)
        attributes.handledAccessNet = kBindTcp | (network ? 0 : kConnectTcp);
    // No signal to another process, no abstract socket of another process (the display's is
    // already connected).
    if (abi >= 6)
        attributes.scoped = kScopeAbstractUnix | kScopeSignal;
    const Descriptor ruleset(
        static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attributes, sizeof attributes, 0)));
    if (ruleset.get() < 0)
        return 0;
    for (const Grant& grant : SystemGrants())
        Allow(ruleset.get(), grant.path, grant.rights & attributes.handledAccessFs);
    for (const std::string& clip : clips)
        Allow(ruleset.get(), clip, LANDLOCK_ACCESS_FS_READ_FILE);
    return ::syscall(SYS_landlock_restrict_self, ruleset.get(), 0) == 0 ? abi : 0;
}
