/* Resource numbers of the program's icon and pictures. */
#pragma once
#define IDI_VARNSEL 1
#define IDB_ILLUSTRATION 101
#define IDB_ARROW 102
