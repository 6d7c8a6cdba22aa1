/* A command-line tool of the sample kit (ROM image builder, packer, uninstaller...): it names itself
 * and the version its resource carries, and succeeds. */
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    DWORD handle = 0, size;
    const char* version = "?";
    static char block[8192];
    (void)argc;
    (void)argv;
    GetModuleFileNameA(NULL, path, sizeof path);
    size = GetFileVersionInfoSizeA(path, &handle);
    if (size && size <= sizeof block && GetFileVersionInfoA(path, 0, size, block)) {
        void* value = NULL;
        UINT length = 0;
        if (VerQueryValueA(block, "\\StringFileInfo\\040904E4\\FileVersion", &value, &length) && length)
            version = (const char*)value;
    }
    printf("%s %s\n", path, version);
    return 0;
}
