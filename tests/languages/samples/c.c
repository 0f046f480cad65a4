/*
 * ring.c - a fixed-size ring buffer of log lines.
 *
 * Text such as "/* does not nest" is part of this comment.
 */
#include <stdio.h>
#include <string.h>

#define RING_SIZE 8
#define RING_NEXT(i) \
	(((i) + 1) % RING_SIZE)   /* wraps at the end */

// A line comment ending in a backslash, \
   so this line is still part of the comment.

static const char *banner = "/* not a comment */ // nor this";
static const char quote = '"';   /* a char holding a double quote */
static const char apos = '\'';
static const char *path = "C:\\temp\\\"quoted\"";
static const char *joined = "first half \
second half";

struct ring {
	char lines[RING_SIZE][80];
	int head;   // next slot to write
};

static void ring_push(struct ring *r, const char *s)
{
	strncpy(r->lines[r->head], s, sizeof r->lines[0] - 1);
	r->head = RING_NEXT(r->head); /* multi-line
	                                 comment after code */
	/* a comment first */ int unused = 0; (void)unused;
}

int main(void)
{
	static struct ring r;
	ring_push(&r, banner);
	ring_push(&r, "a string with \"/*\" inside");
#if defined(RING_DEBUG)
	fprintf(stderr, "debug build\n");
#endif
	printf("%s %c%c %s %s\n", r.lines[0], quote, apos, path, joined);
	return 0;
}
