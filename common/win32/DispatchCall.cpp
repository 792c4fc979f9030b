#include "DispatchCall.h"

#include <memory>

namespace {

// Frees what the object put in its exception report, on every path.
struct ExceptionInfo {
    EXCEPINFO info{};
    ~ExceptionInfo()
    {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
};

} // namespace

HRESULT CallMethod(IDispatch* object, DISPID id, std::span<const Variant> args, ComVariant& result)
{
    static_assert(sizeof(ComVariant) == sizeof(VARIANT));
    // Automation takes the arguments last first.
    const std::size_t count = args.size();
    std::unique_ptr<ComVariant[]> values(new ComVariant[count]);
    for (std::size_t i = 0; i < count; ++i)
        if (const PlatformError error = values[count - 1 - i].Assign(args[i]))
            return static_cast<HRESULT>(error.code);

    DISPPARAMS params{reinterpret_cast<VARIANT*>(values.get()), nullptr, static_cast<UINT>(count), 0};
    ExceptionInfo exception;
    UINT badArgument = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Get(),
                                &exception.info, &badArgument);
    if (hr == DISP_E_EXCEPTION) {
        if (exception.info.pfnDeferredFillIn)
            exception.info.pfnDeferredFillIn(&exception.info);
        if (FAILED(exception.info.scode))
            hr = exception.info.scode;
    }
    return hr;
}
