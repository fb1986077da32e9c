#include "Framework.h"

#include <cstring>

namespace {

// The one application object, registered by its constructor.
CWinApp* g_app = nullptr;

// "启动帮助失败。"
constexpr char kHelpFailed[] = "\xC6\xF4\xB6\xAF\xB0\xEF\xD6\xFA\xCA\xA7\xB0\xDC\xA1\xA3";

std::string ModuleFileName(HINSTANCE instance)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: a long path.
        path.resize(path.size() * 2);
    }
}

// Start of the file name within a path: after its last '\', '/' or ':'.
std::size_t FileNameStart(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

// End of the path without the file name's last extension. A dot in a directory
// name is not an extension.
std::size_t ExtensionStart(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos || dot < FileNameStart(path) ? path.size() : dot;
}

}  // namespace

// ---------------------------------------------------------------------------

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_data.resize(static_cast<std::size_t>(minLength));
    return m_data.data();
}

void CString::ReleaseBuffer(int newLength)
{
    m_data.resize(newLength < 0 ? std::strlen(m_data.c_str()) : static_cast<std::size_t>(newLength));
}

// ---------------------------------------------------------------------------

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const
{
    for (const MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base != nullptr ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
            if (entry->message == message &&
                (message != WM_COMMAND || (entry->code == code && entry->id == id)))
                return entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    const MessageMapEntry* entry = FindEntry(WM_COMMAND, code, id);
    if (entry == nullptr)
        return false;
    entry->handler(this, MAKEWPARAM(id, code), 0);
    return true;
}

// ---------------------------------------------------------------------------

CWinApp* AfxGetApp()
{
    return g_app;
}

const char* AfxGetAppName()
{
    return g_app != nullptr ? g_app->m_appName.c_str() : "";
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

BOOL CWinApp::Enable3dControlsStatic()
{
    return FALSE;
}

void CWinApp::OnHelp()
{
    const HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
    const DWORD context = m_pMainWnd != nullptr ? m_pMainWnd->GetHelpContext() : 0;
    if (!WinHelpA(owner, m_helpFilePath.c_str(), HELP_CONTEXT, context))
        MessageBoxA(owner, kHelpFailed, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;
    const std::string path = ModuleFileName(instance);
    const std::size_t nameStart = FileNameStart(path);
    const std::size_t extension = ExtensionStart(path);
    app->m_appName = path.substr(nameStart, extension - nameStart);
    app->m_helpFilePath = path.substr(0, extension) + ".HLP";
    // No message loop of the framework's own: a dialog-based application does
    // all its work inside InitInstance, and the process ends when it returns.
    app->InitInstance();
    return 0;
}

// Kept with the application object so that linking the application pulls it in.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(instance);
}
