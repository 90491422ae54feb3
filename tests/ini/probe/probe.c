/*
 * Runs the Windows profile functions on a list of cases and prints, for each
 * case, the case line followed by what the calls produced. Before each call
 * the profile cache is flushed, so that every call sees the file as it is on
 * disk.
 *
 *   probe CORPUS SCRATCH CASES
 *
 * CORPUS and SCRATCH are folders, CASES a case list. A case line is
 *
 *   read  NAME FILE SIZE "SECTION" "KEY" "DEFAULT"
 *   write NAME FILE "SECTION" "KEY" "VALUE" ["SECTION" "KEY" "VALUE"]...
 *
 * FILE is copied from CORPUS to SCRATCH\NAME\FILE when CORPUS holds it (so a
 * case never sees another case's file), and the calls get that copy. A read
 * prints "-> BUFFER": the buffer of SIZE bytes, zero-filled before the call,
 * without its trailing NULs. A write prints "-> RESULT FILE": what the last
 * call of WritePrivateProfileStringA returned (1 or 0) and the file
 * afterwards, or "none" when there is no file. Quoted texts use the escapes
 * \\ \" \r \n \t \0 \xHH.
 */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

enum { kMaxLine = 16384, kMaxFields = 32 };

typedef struct {
  char* text;
  size_t length;
} Field;

static void Fail(const char* what, const char* line) {
  fprintf(stderr, "probe: %s: %s\n", what, line);
  exit(2);
}

static int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

/* Splits a line into words and quoted texts, unescaping the quoted ones in
   place. Returns the number of fields, or -1 on a malformed line. */
static int Split(char* line, Field* fields) {
  int count = 0;
  char* p = line;
  for (;;) {
    while (*p == ' ') ++p;
    if (*p == '\0') return count;
    if (count == kMaxFields) return -1;
    if (*p != '"') {
      fields[count].text = p;
      while (*p != ' ' && *p != '\0') ++p;
      fields[count].length = (size_t)(p - fields[count].text);
      if (*p == ' ') *p++ = '\0';
      ++count;
      continue;
    }
    char* out = ++p;
    fields[count].text = out;
    while (*p != '"') {
      if (*p == '\0') return -1;
      if (*p != '\\') {
        *out++ = *p++;
        continue;
      }
      ++p;
      switch (*p) {
        case '\\': *out++ = '\\'; break;
        case '"': *out++ = '"'; break;
        case 'r': *out++ = '\r'; break;
        case 'n': *out++ = '\n'; break;
        case 't': *out++ = '\t'; break;
        case '0': *out++ = '\0'; break;
        case 'x': {
          int high = HexDigit(p[1]), low = high < 0 ? -1 : HexDigit(p[2]);
          if (low < 0) return -1;
          *out++ = (char)(high * 16 + low);
          p += 2;
          break;
        }
        default: return -1;
      }
      ++p;
    }
    fields[count].length = (size_t)(out - fields[count].text);
    ++p;
    *out = '\0';
    if (*p != ' ' && *p != '\0') return -1;
    ++count;
  }
}

static void PrintEscaped(const unsigned char* bytes, size_t length) {
  putchar('"');
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = bytes[i];
    switch (c) {
      case '\\': fputs("\\\\", stdout); break;
      case '"': fputs("\\\"", stdout); break;
      case '\r': fputs("\\r", stdout); break;
      case '\n': fputs("\\n", stdout); break;
      case '\t': fputs("\\t", stdout); break;
      case '\0': fputs("\\0", stdout); break;
      default:
        if (c < 0x20 || c >= 0x7f) printf("\\x%02x", c);
        else putchar(c);
    }
  }
  putchar('"');
}

/* Gives the case its own copy of FILE and returns the path of that copy. */
static void PrepareFile(const char* corpus, const char* scratch, const char* name, const char* file,
                        char* path, size_t size) {
  char folder[MAX_PATH], source[MAX_PATH];
  snprintf(folder, sizeof folder, "%s\\%s", scratch, name);
  if (!CreateDirectoryA(folder, NULL)) Fail("case name used twice or scratch folder missing", name);
  snprintf(path, size, "%s\\%s", folder, file);
  snprintf(source, sizeof source, "%s\\%s", corpus, file);
  for (char* p = path; *p; ++p)
    if (*p == '/') *p = '\\';
  for (char* p = source; *p; ++p)
    if (*p == '/') *p = '\\';
  CopyFileA(source, path, TRUE);
}

static void PrintFile(const char* path) {
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (handle == INVALID_HANDLE_VALUE) {
    fputs("none", stdout);
    return;
  }
  DWORD size = GetFileSize(handle, NULL), got = 0;
  unsigned char* bytes = malloc(size + 1);
  if (!bytes || !ReadFile(handle, bytes, size, &got, NULL) || got != size) Fail("cannot read back", path);
  CloseHandle(handle);
  PrintEscaped(bytes, size);
  free(bytes);
}

/* The documented flush call: the next call reads the file afresh. */
static void FlushProfileCache(void) { WritePrivateProfileStringA(NULL, NULL, NULL, NULL); }

static void RunRead(const char* path, Field* fields) {
  char* end = NULL;
  unsigned long size = strtoul(fields[3].text, &end, 10);
  if (*end != '\0') Fail("bad buffer size", fields[3].text);
  char* buffer = calloc(size + 1, 1);
  if (!buffer) Fail("out of memory", fields[3].text);
  FlushProfileCache();
  GetPrivateProfileStringA(fields[4].text, fields[5].text, fields[6].text, buffer, (DWORD)size, path);
  size_t used = size;
  while (used > 0 && buffer[used - 1] == '\0') --used;
  fputs("-> ", stdout);
  PrintEscaped((const unsigned char*)buffer, used);
  putchar('\n');
  free(buffer);
}

static void RunWrite(const char* path, Field* fields, int count) {
  BOOL result = FALSE;
  for (int i = 3; i + 2 < count; i += 3) {
    FlushProfileCache();
    result = WritePrivateProfileStringA(fields[i].text, fields[i + 1].text, fields[i + 2].text, path);
  }
  printf("-> %d ", result ? 1 : 0);
  PrintFile(path);
  putchar('\n');
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fputs("usage: probe CORPUS SCRATCH CASES\n", stderr);
    return 2;
  }
  _setmode(_fileno(stdout), _O_BINARY);
  FILE* cases = fopen(argv[3], "rb");
  if (!cases) Fail("cannot open", argv[3]);
  static char line[kMaxLine], copy[kMaxLine];
  Field fields[kMaxFields];
  while (fgets(line, sizeof line, cases)) {
    size_t length = strcspn(line, "\r\n");
    line[length] = '\0';
    if (line[0] == '\0' || line[0] == '#') continue;
    memcpy(copy, line, length + 1);
    int count = Split(copy, fields);
    int isRead = count == 7 && strcmp(fields[0].text, "read") == 0;
    int isWrite = count >= 6 && count % 3 == 0 && strcmp(fields[0].text, "write") == 0;
    if (!isRead && !isWrite) Fail("malformed case", line);
    char path[MAX_PATH];
    PrepareFile(argv[1], argv[2], fields[1].text, fields[2].text, path, sizeof path);
    puts(line);
    if (isRead) RunRead(path, fields);
    else RunWrite(path, fields, count);
  }
  fclose(cases);
  return 0;
}
