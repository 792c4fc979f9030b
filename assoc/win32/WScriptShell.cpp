#include "WScriptShell.h"

#include "ComPtr.h"
#include "DispatchCall.h"

#include <windows.h>

namespace {

class WScriptShell final : public ScriptShell {
public:
    explicit WScriptShell(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

    std::optional<Variant> RegRead(const Text& path) override
    {
        const Variant args[] = {Variant::String(path)};
        ComVariant result;
        if (!Call(L"RegRead", args, result))
            return std::nullopt;
        return result.Value();
    }

    bool RegWrite(const Text& path, const Variant& value, const Text& type) override
    {
        // The host gets the value itself, never a reference into this program's storage.
        const Variant args[] = {Variant::String(path), value.Deref(), Variant::String(type)};
        ComVariant result;
        return Call(L"RegWrite", args, result);
    }

private:
    bool Call(const wchar_t* name, std::span<const Variant> args, ComVariant& result)
    {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        return SUCCEEDED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) &&
               SUCCEEDED(CallMethod(dispatch_.Get(), id, args, result));
    }

    ComPtr<IDispatch> dispatch_;
};

} // namespace

std::unique_ptr<ScriptShell> WScriptShellFactory::CreateScriptShell()
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"WScript.Shell", &clsid)))
        return nullptr;
    ComPtr<IDispatch> dispatch;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                dispatch.PutVoid())))
        return nullptr;
    return std::make_unique<WScriptShell>(std::move(dispatch));
}
