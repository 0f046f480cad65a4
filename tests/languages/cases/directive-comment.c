#define X 1 /* a comment opened on a directive
   runs to its close */
int a;
#define Y 2 // a // comment continued \
   by a backslash
int b;
