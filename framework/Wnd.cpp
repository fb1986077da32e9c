#include "Framework.h"

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

void CWnd::GetWindowText(CString& text) const
{
    // The length may be overestimated for double-byte text, never under.
    const int length = ::GetWindowTextLengthA(m_hWnd);
    const int copied = ::GetWindowTextA(m_hWnd, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer(copied);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

LRESULT CWnd::Default()
{
    const MSG& msg = m_currentMsg;
    if (m_pfnSuper == nullptr)
        return ::DefWindowProcA(m_hWnd, msg.message, msg.wParam, msg.lParam);
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg.message, msg.wParam, msg.lParam);
}

void CWnd::SubclassWindow(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HandleMessage)));
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
    const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    if (const MessageMapEntry* entry = FindEntry(message, code, id))
        return entry->handler(this, wParam, lParam);
    // Commands the window does not handle go on to the application.
    if (message == WM_COMMAND && AfxGetApp() != nullptr && AfxGetApp()->OnCmdMsg(id, code))
        return 0;
    return Default();
}

LRESULT CALLBACK CWnd::HandleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* wnd = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    // Handlers may send messages to their own window: keep the outer message for Default.
    const MSG outer = wnd->m_currentMsg;
    wnd->m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->m_currentMsg = outer;
    if (message == WM_NCDESTROY) {
        // The window is gone; the object may outlive it.
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        wnd->m_hWnd = nullptr;
        wnd->m_pfnSuper = nullptr;
        if (AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd == wnd)
            AfxGetApp()->m_pMainWnd = nullptr;
    }
    return result;
}

// ---------------------------------------------------------------------------

void CEdit::SetLimitText(UINT maxChars)
{
    SendMessage(EM_SETLIMITTEXT, maxChars, 0);
}

// ---------------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}
