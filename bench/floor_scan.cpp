// The floor of scanning and listing a folder's games: one readdir pass that
// keeps the entries whose d_type says directory, each name strdup'ed, then
// one case-blind qsort with strcasecmp. The C library only: nothing a
// launcher could leave out.
//   bench_floor FOLDER      prints how many directories it found
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

static int byName(const void* a, const void* b) {
    return strcasecmp(*(char* const*)a, *(char* const*)b);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    DIR* folder = opendir(argv[1]);
    if (!folder) return 1;
    size_t count = 0, capacity = 1024;
    char** names = (char**)malloc(capacity * sizeof *names);
    const struct dirent* entry;
    while ((entry = readdir(folder))) {
        if (entry->d_type != DT_DIR || !strcmp(entry->d_name, ".") || !strcmp(entry->d_name, ".."))
            continue;
        if (count == capacity) names = (char**)realloc(names, (capacity *= 2) * sizeof *names);
        names[count++] = strdup(entry->d_name);
    }
    closedir(folder);
    qsort(names, count, sizeof *names, byName);
    printf("%zu\n", count);
    return 0;
}
