#if 0
don't
#endif
#error can't \
  do it
int a;
