#include "ShellAssociation.h"

namespace {

std::optional<Text> ReadNonEmptyString(ScriptShellFactory& registry, const Text& path)
{
    const auto shell = registry.CreateScriptShell();
    const auto value = shell ? shell->RegRead(path) : std::nullopt;
    if (!value || value->ValueType() != VarType::BStr || value->AsString().empty())
        return std::nullopt;
    return value->AsString();
}

} // namespace

Text ExtensionOf(TextView path)
{
    const auto name = path.substr(path.find_last_of(u'/') + 1);
    const auto dot = name.rfind(u'.');
    return dot == TextView::npos ? Text() : Text(name.substr(dot));
}

std::optional<Text> OpenCommandFor(TextView extension, ScriptShellFactory& registry)
{
    // A backslash would lead the lookup into another key.
    if (extension.empty() || extension.find(u'\\') != TextView::npos)
        return std::nullopt;
    const auto fileClass = ReadNonEmptyString(registry, u"HKCR\\" + Text(extension) + u"\\");
    if (!fileClass)
        return std::nullopt;
    return ReadNonEmptyString(registry, u"HKCR\\" + *fileClass + u"\\shell\\open\\command\\");
}
