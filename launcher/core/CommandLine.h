#pragma once
// Turning a registered open command into the argument list of the program to start,
// as the Windows shell does: the command is split first, then "%1" is replaced by the
// file's path inside each argument, so the path always stays one argument whatever
// characters it holds. Works on bytes; the delimiters are ASCII, so UTF-8 passes intact.
#include <string>
#include <string_view>
#include <vector>

// CommandLineToArgvW's rules. The program name ends at the next quote when it starts
// with one, else at the first blank or tab; it knows no escapes. In the arguments after
// it, blanks and tabs separate outside quotes; 2n backslashes before a quote give n
// backslashes and the quote opens or closes a quoted part; 2n+1 give n and a literal
// quote; other backslashes stay as they are. Within a run of quotes every third is a
// literal quote. An empty command gives no arguments.
std::vector<std::string> SplitCommandLine(std::string_view command);

// Every "%1" in every argument, program name included, becomes `file`; the file's own
// text is never searched again.
std::vector<std::string> SubstituteFile(std::vector<std::string> arguments, std::string_view file);
