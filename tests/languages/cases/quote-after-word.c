#if 0
isn't /* said'
#endif
long h = 0xFF'AB'CD; /* a
   b */
int c = 1'/*';
int d;
