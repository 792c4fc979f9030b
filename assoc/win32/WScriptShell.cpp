#include "WScriptShell.h"

#include "ComPtr.h"
#include "ComVariant.h"

#include <windows.h>

#include <oleauto.h>

namespace {

// Frees what the object may have put in an error report.
struct ExceptionInfo {
    EXCEPINFO info{};
    ~ExceptionInfo()
    {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
};

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
    template <UINT count>
    bool Call(const wchar_t* name, const Variant (&args)[count], ComVariant& result)
    {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
            return false;
        // Automation takes the arguments last first; the VARIANTs stay owned by `owned`.
        ComVariant owned[count];
        VARIANT raw[count];
        for (UINT i = 0; i < count; ++i) {
            if (owned[count - 1 - i].Assign(args[i]))
                return false;
            raw[count - 1 - i] = *owned[count - 1 - i].Get();
        }
        DISPPARAMS params{raw, nullptr, count, 0};
        ExceptionInfo error;
        UINT badArgument = 0;
        return SUCCEEDED(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Get(),
                                           &error.info, &badArgument));
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
