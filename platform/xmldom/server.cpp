// The module as an in-process server: the component runtime loads it for CLSID_DOMDocument,
// asks it for the document's class object, and frees it once nothing of it is alive.
#include "platform/xmldom/dom_document.h"
#include <olectl.h>

// Class objects handed out and LockServer calls not yet undone.
static LONG s_nLocks = 0;

// The one class object: it lives as long as the module, and its references count as locks.
class DomClassFactory : public IClassFactory
{
public:
    HRESULT WINAPI QueryInterface(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory *>(this);
        AddRef();
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return (ULONG)InterlockedIncrement(&s_nLocks); }
    ULONG WINAPI Release() override { return (ULONG)InterlockedDecrement(&s_nLocks); }

    HRESULT WINAPI CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        if (pUnkOuter)
            return CLASS_E_NOAGGREGATION;
        DomCore *pDocument = DomCreateNode(NODE_DOCUMENT);
        if (!pDocument)
            return E_OUTOFMEMORY;
        HRESULT hr = pDocument->m_pItf->QueryInterface(riid, ppv);
        pDocument->m_pItf->Release();
        return hr;
    }
    HRESULT WINAPI LockServer(BOOL fLock) override
    {
        if (fLock)
            InterlockedIncrement(&s_nLocks);
        else
            InterlockedDecrement(&s_nLocks);
        return S_OK;
    }
};

static DomClassFactory s_factory;

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (!IsEqualCLSID(rclsid, CLSID_DOMDocument))
        return CLASS_E_CLASSNOTAVAILABLE;
    return s_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow(void)
{
    return (g_nXmlDomLiveObjects == 0 && s_nLocks == 0) ? S_OK : S_FALSE;
}

// For the tests only: nodes and lists alive, so a test can see that every one was released.
extern "C" LONG WINAPI XmlDomLiveObjects(void)
{
    return g_nXmlDomLiveObjects;
}

// For the tests and the bench: references to the class object and locks of the server, so that
// they can see its holder let go of it.
extern "C" LONG WINAPI XmlDomServerLocks(void)
{
    return s_nLocks;
}
