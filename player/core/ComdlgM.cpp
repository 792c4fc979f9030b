#include "ComdlgM.h"

#include <utility>

namespace {

// Copies the record field for field, passing every text that is set through convert.
template <class To, class From, class Convert>
OpenFileName<To> ConvertRecord(const OpenFileName<From>& from, Convert convert)
{
    auto text = [&](const std::optional<From>& s) -> std::optional<To> {
        if (!s)
            return std::nullopt;
        return convert(*s);
    };
    OpenFileName<To> to;
    to.lStructSize = from.lStructSize;
    to.hwndOwner = from.hwndOwner;
    to.hInstance = from.hInstance;
    to.lpstrFilter = text(from.lpstrFilter);
    to.lpstrCustomFilter = text(from.lpstrCustomFilter);
    to.nMaxCustFilter = from.nMaxCustFilter;
    to.nFilterIndex = from.nFilterIndex;
    to.lpstrFile = text(from.lpstrFile);
    to.nMaxFile = from.nMaxFile;
    to.lpstrFileTitle = text(from.lpstrFileTitle);
    to.nMaxFileTitle = from.nMaxFileTitle;
    to.lpstrInitialDir = text(from.lpstrInitialDir);
    to.lpstrTitle = text(from.lpstrTitle);
    to.Flags = from.Flags;
    to.nFileOffset = from.nFileOffset;
    to.nFileExtension = from.nFileExtension;
    to.lpstrDefExt = text(from.lpstrDefExt);
    to.lCustData = from.lCustData;
    to.lpfnHook = from.lpfnHook;
    to.lpTemplateName = text(from.lpTemplateName);
    return to;
}

Text UpToFirstNul(const Text& buffer)
{
    return buffer.substr(0, buffer.find(u'\0'));
}

} // namespace

Text BuildFilterList(TextView filter)
{
    Text list = ReplaceAll(filter, u',', u'\0');
    list.append(2, u'\0');
    return list;
}

OpenFileNameRecord BuildOpenFileRecord(TextView filter, TextView initialDir, TextView title,
                                       NativeHandle ownerWindow, NativeHandle instance)
{
    OpenFileNameRecord record;
    record.lStructSize = kOpenFileNameSize;
    record.hwndOwner = ownerWindow;
    record.hInstance = instance;
    record.lpstrFilter = BuildFilterList(filter);
    record.nFilterIndex = 1;
    record.lpstrFile = Text(kFileBufferLength, u'\0');
    record.nMaxFile = kFileBufferLength;
    record.lpstrFileTitle = Text(kFileBufferLength, u'\0');
    record.nMaxFileTitle = kFileBufferLength;
    // Empty means the dialog's own default, which only a null field gives.
    if (!title.empty())
        record.lpstrTitle = Text(title);
    if (!initialDir.empty())
        record.lpstrInitialDir = Text(initialDir);
    record.Flags = kOpenDialogFlags;
    return record;
}

OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                NativeHandle ownerWindow, const ComdlgPorts& ports)
{
    OpenFileNameRecord record = BuildOpenFileRecord(filter, initialDir, title, ownerWindow, ports.instance);

    OpenFileNameAnsi ansi = ConvertRecord<std::string>(
        record, [&](const Text& s) { return ports.codePage.ToAnsi(s); });
    const DialogCall call = ports.dialog.GetOpenFileNameA(ansi);
    if (call.error)
        return {Text(), call.error};
    record = ConvertRecord<Text>(ansi, [&](const std::string& s) { return ports.codePage.FromAnsi(s); });

    if (call.returned == 0 || !record.lpstrFile)
        return {};
    return {UpToFirstNul(*record.lpstrFile), {}};
}
