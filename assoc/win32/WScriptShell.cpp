#include "WScriptShell.h"

#include "AutomationVariant.h"
#include "ComPtr.h"

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
        OwnedVariant args[] = {OwnedVariant(Variant::String(path))};
        OwnedVariant result;
        if (!Call(L"RegRead", args, result.get()))
            return std::nullopt;
        return FromAutomation(*result);
    }

    bool RegWrite(const Text& path, const Variant& value, const Text& type) override
    {
        // Arguments go in reverse order.
        OwnedVariant args[] = {OwnedVariant(Variant::String(type)), OwnedVariant(value),
                               OwnedVariant(Variant::String(path))};
        OwnedVariant result;
        return Call(L"RegWrite", args, result.get());
    }

private:
    template <UINT count>
    bool Call(const wchar_t* name, OwnedVariant (&args)[count], VARIANT* result)
    {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
            return false;
        VARIANT raw[count];
        for (UINT i = 0; i < count; ++i)
            raw[i] = *args[i];
        DISPPARAMS params{raw, nullptr, count, 0};
        ExceptionInfo error;
        UINT badArgument = 0;
        return SUCCEEDED(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
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
    IDispatch* dispatch = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&dispatch))))
        return nullptr;
    return std::make_unique<WScriptShell>(ComPtr<IDispatch>(dispatch));
}
