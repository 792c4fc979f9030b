#include "FileNames.h"

Text MediaPathFrom(TextView text, const FileNameRule& names)
{
    if (text.find(u'"') == TextView::npos)
        return Text(text);
    if (names.QuotedNameExists(text))
        return Text(text);
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
        const TextView inner = text.substr(1, text.size() - 2);
        if (inner.find(u'"') != TextView::npos && names.QuotedNameExists(inner))
            return Text(inner);
    }
    return RemoveDoubleQuotes(text);
}
