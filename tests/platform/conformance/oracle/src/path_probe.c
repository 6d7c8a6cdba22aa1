/*
 * path_probe - path names oracle: short (8.3) and long names, full paths,
 * searches and the current directory.
 *
 * Besides the file commands of common.h:
 *   short PATH [BUFSIZE]    GetShortPathNameA
 *   long PATH [BUFSIZE]     GetLongPathNameA
 *   full PATH [BUFSIZE]     GetFullPathNameA; file= is the file part (offset
 *                           into the buffer, or <null>)
 *   find PATTERN            FindFirstFileA/FindNextFileA: every match, sorted,
 *                           with its 8.3 alias
 *   cd PATH                 SetCurrentDirectoryA
 *   pwd [BUFSIZE]           GetCurrentDirectoryA
 *   verfind FLAGS FILE WINDIR APPDIR
 *                           VerFindFileA (FLAGS 0 or SHARED), after cd
 *   move SRC DST            MoveFileA
 */
#include "common.h"

static char g_buf[4096];

static void pr_buf(DWORD size)
{
    printf(" buf=");
    pr_esc(g_buf, written_len(g_buf, (int)size));
}

static DWORD bufsize(tok_t *t, int n, int at)
{
    DWORD size = n > at ? (DWORD)parse_num(t[at].s) : 260;
    return size > sizeof g_buf ? sizeof g_buf : size;
}

static int probe(tok_t *t, int n)
{
    const char *c = t[0].s;
    if ((!strcmp(c, "short") || !strcmp(c, "long")) && (n == 2 || n == 3)) {
        DWORD size = bufsize(t, n, 2), r;
        memset(g_buf, FILLBYTE, sizeof g_buf);
        err_reset();
        r = c[0] == 's' ? GetShortPathNameA(S(&t[1]), g_buf, size) : GetLongPathNameA(S(&t[1]), g_buf, size);
        printf("  ret=%lu", (unsigned long)r);
        pr_err();
        pr_buf(size);
        putchar('\n');
    } else if (!strcmp(c, "full") && (n == 2 || n == 3)) {
        DWORD size = bufsize(t, n, 2), r;
        char *part = (char *)1;
        memset(g_buf, FILLBYTE, sizeof g_buf);
        err_reset();
        r = GetFullPathNameA(S(&t[1]), size, g_buf, &part);
        printf("  ret=%lu", (unsigned long)r);
        pr_err();
        pr_buf(size);
        if (part == (char *)1) printf(" file=untouched");
        else if (!part) printf(" file=<null>");
        else printf(" file=%ld", (long)(part - g_buf));
        putchar('\n');
    } else if (!strcmp(c, "find") && n == 2) {
        static WIN32_FIND_DATAA ents[256];
        int cnt = 0, i;
        HANDLE h;
        err_reset();
        h = FindFirstFileA(S(&t[1]), &ents[0]);
        if (h == INVALID_HANDLE_VALUE) {
            printf("  none");
            pr_err();
            putchar('\n');
            return 1;
        }
        do cnt++;
        while (cnt < 255 && FindNextFileA(h, &ents[cnt]));
        FindClose(h);
        qsort(ents, cnt, sizeof ents[0], cmp_names);
        printf("  count=%d\n", cnt);
        for (i = 0; i < cnt; i++) {
            printf("  name=");
            pr_str(ents[i].cFileName);
            printf(" alt=");
            pr_str(ents[i].cAlternateFileName);
            if (ents[i].dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) printf(" dir");
            putchar('\n');
        }
    } else if (!strcmp(c, "cd") && n == 2) {
        BOOL ok;
        err_reset();
        ok = SetCurrentDirectoryA(S(&t[1]));
        printf("  ok=%d", ok ? 1 : 0);
        if (!ok) pr_err();
        putchar('\n');
    } else if (!strcmp(c, "pwd") && (n == 1 || n == 2)) {
        DWORD size = bufsize(t, n, 1), r;
        memset(g_buf, FILLBYTE, sizeof g_buf);
        r = GetCurrentDirectoryA(size, g_buf);
        printf("  ret=%lu", (unsigned long)r);
        pr_buf(size);
        putchar('\n');
    } else if (!strcmp(c, "verfind") && n == 5) {
        static char cur[MAX_PATH], dest[MAX_PATH];
        UINT curlen = MAX_PATH, destlen = MAX_PATH;
        DWORD flags = !strcmp(t[1].s, "SHARED") ? VFFF_ISSHAREDFILE : (DWORD)parse_num(t[1].s);
        DWORD r;
        memset(cur, FILLBYTE, sizeof cur);
        memset(dest, FILLBYTE, sizeof dest);
        r = VerFindFileA(flags, SM(&t[2]), SM(&t[3]), SM(&t[4]), cur, &curlen, dest, &destlen);
        printf("  ret=0x%lx cur=", (unsigned long)r);
        pr_esc(cur, written_len(cur, MAX_PATH));
        printf(" curlen=%u dest=", curlen);
        pr_esc(dest, written_len(dest, MAX_PATH));
        printf(" destlen=%u\n", destlen);
    } else if (!strcmp(c, "move") && n == 3) {
        BOOL ok;
        err_reset();
        ok = MoveFileA(S(&t[1]), S(&t[2]));
        printf("  ok=%d", ok ? 1 : 0);
        if (!ok) pr_err();
        putchar('\n');
    } else {
        return 0;
    }
    return 1;
}

int main(void)
{
    return run_script(probe, "short|long|full PATH [BUFSIZE] | find PATTERN | cd PATH | pwd [BUFSIZE] | "
                             "verfind FLAGS FILE WINDIR APPDIR | move SRC DST");
}
