int a;

/* a

 b */
int b;
