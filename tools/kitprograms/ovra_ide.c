/* The IDE of the sample kit: one window that shows what the setup configured for it, read where the
 * IDE reads it (the registry key of the release, OVRA.ini in the Windows directory, BUILD.INI in the
 * installation directory).
 *
 *   Ovra.exe [/dump FILE] [/close MILLISECONDS]
 *     /dump   also writes the text the window shows to FILE (for tests)
 *     /close  closes the window after the given time (for tests)
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#define IDE_KEY "Software\\KESTRAVION\\Ovra\\6.1"
#define TEXT_LIMIT 65536

static char shown[TEXT_LIMIT];

static void Add(const char* format, const char* a, const char* b) {
    size_t used = strlen(shown);
    if (used + 1 >= sizeof shown) return;
    snprintf(shown + used, sizeof shown - used, format, a, b);
}

static void AddDirectories(void) {
    HKEY key;
    Add("Directories (HKEY_LOCAL_MACHINE\\%s%s):\r\n", IDE_KEY "\\Default Directories", "");
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, IDE_KEY "\\Default Directories", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        Add("  (none: the kit is not installed in this prefix)%s%s\r\n", "", "");
        return;
    }
    for (DWORD i = 0;; ++i) {
        char name[256], data[MAX_PATH + 1];
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, (BYTE*)data, &dataSize) != ERROR_SUCCESS)
            break;
        if (type != REG_SZ) continue;
        data[dataSize] = 0;
        Add("  %-10s %s\r\n", name, data);
    }
    RegCloseKey(key);
}

static void AddSubkeys(const char* title, const char* path) {
    HKEY key;
    Add("%s%s:\r\n", title, "");
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        Add("  %s%s\r\n", name, "");
    }
    RegCloseKey(key);
}

/* The KEY=VALUE lines of one section of OVRA.ini. */
static void AddSection(const char* title, const char* section) {
    static char buffer[32768];
    Add("%s%s:\r\n", title, "");
    DWORD n = GetPrivateProfileSectionA(section, buffer, sizeof buffer, "OVRA.ini");
    for (const char* line = buffer; line < buffer + n && *line; line += strlen(line) + 1) {
        const char* equals = strchr(line, '=');
        char name[128];
        size_t length = equals ? (size_t)(equals - line) : strlen(line);
        if (length >= sizeof name) length = sizeof name - 1;
        memcpy(name, line, length);
        name[length] = 0;
        Add("  %-10s %s\r\n", name, equals ? equals + 1 : "");
    }
}

/* The tools of the kit: each numbered section's Name (DosTool0, DosTool1, ..., UserTool0, ...). */
static void AddTools(void) {
    static const char* const kinds[] = {"UserTool", "DosTool"};
    Add("Tools:%s%s\r\n", "", "");
    for (int k = 0; k < 2; ++k) {
        for (int i = 0;; ++i) {
            char section[32], name[256], path[MAX_PATH];
            snprintf(section, sizeof section, "%s%d", kinds[k], i);
            if (!GetPrivateProfileStringA(section, "Name", "", name, sizeof name, "OVRA.ini")) break;
            GetPrivateProfileStringA(section, "Path", "", path, sizeof path, "OVRA.ini");
            Add("  %s  %s\r\n", name, path);
        }
    }
}

static void Compose(void) {
    char version[64], installDir[MAX_PATH] = "", buildIni[MAX_PATH + 16], build[64], date[64];
    HKEY key;
    GetPrivateProfileStringA("Ovra", "Version", "?", version, sizeof version, "OVRA.ini");
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, IDE_KEY "\\Default Directories", 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        DWORD size = sizeof installDir - 1, type = 0;
        if (RegQueryValueExA(key, "VexaInst", NULL, &type, (BYTE*)installDir, &size) != ERROR_SUCCESS)
            size = 0;
        installDir[size] = 0;
        RegCloseKey(key);
    }
    snprintf(buildIni, sizeof buildIni, "%s\\BUILD.INI", installDir);
    GetPrivateProfileStringA("BuildNumber", "BN", "?", build, sizeof build, buildIni);
    GetPrivateProfileStringA("BuildNumber", "DATE", "", date, sizeof date, buildIni);
    Add("Ovra IDE %s, build %s", version, build);
    Add(" (%s)%s\r\n\r\n", date, "");
    AddDirectories();
    Add("\r\n%s%s", "", "");
    AddSection("Targets (OVRA.ini)", "Targets");
    Add("\r\n%s%s", "", "");
    AddTools();
    Add("\r\n%s%s", "", "");
    AddSubkeys("Simulators (registry)", IDE_KEY "\\Simulators");
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static HWND edit;
    switch (message) {
        case WM_CREATE:
            edit = CreateWindowExA(
                WS_EX_CLIENTEDGE, "EDIT", shown,
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
                window, (HMENU)1, ((CREATESTRUCTA*)lParam)->hInstance, NULL);
            SendMessageA(edit, WM_SETFONT, (WPARAM)GetStockObject(ANSI_FIXED_FONT), TRUE);
            return 0;
        case WM_SIZE:
            MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_TIMER:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    const char* dumpFile = NULL;
    UINT closeAfter = 0;
    (void)previous;
    (void)commandLine;
    for (int i = 1; i < __argc; ++i) {
        if (!strcmp(__argv[i], "/dump") && i + 1 < __argc)
            dumpFile = __argv[++i];
        else if (!strcmp(__argv[i], "/close") && i + 1 < __argc)
            closeAfter = (UINT)atoi(__argv[++i]);
    }
    Compose();

    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "OvraIde";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA("OvraIde", "Ovra IDE", WS_OVERLAPPEDWINDOW, 0, 0, 760, 560, NULL, NULL, instance, NULL);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    if (dumpFile) {
        /* What the window shows, read back from its control. */
        static char text[TEXT_LIMIT];
        GetWindowTextA(GetDlgItem(window, 1), text, sizeof text);
        FILE* out = fopen(dumpFile, "wb");
        if (out) {
            fputs(text, out);
            fclose(out);
        }
    }
    if (closeAfter) SetTimer(window, 1, closeAfter, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
