#include <a.h>
// c
