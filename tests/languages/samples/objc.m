// Counter.m - an Objective-C class with C and @"..." strings.
#import <Foundation/Foundation.h>

#define COUNTER_LIMIT 100 /* upper bound */
#define COUNTER_NAME(x) \
    @"counter-" #x

/*
 * A counter that logs each step.
 * "/*" inside a comment does not nest.

 */
@interface Counter : NSObject
@property (nonatomic) NSInteger value; // current value
- (void)step;
@end

static NSString *const kSlashes = @"// not a comment";
static NSString *const kQuoted = @"say \"hi\" /* inside */";
static const char kQuote = '"';
static const char *kPath = "C:\\logs\\";

@implementation Counter

- (void)step {
    /* inline */ self.value += 1;
    if (self.value > COUNTER_LIMIT) {
        self.value = 0; // wrap around
    }
    NSLog(@"%@ %ld %c %s", kSlashes, (long)self.value, kQuote, kPath);
}

@end

int main(void) {
    @autoreleasepool {
        Counter *c = [[Counter alloc] init];
        [c step];
        NSLog(@"%@ %@", kQuoted, COUNTER_NAME(main));
    }
    return 0;
}
