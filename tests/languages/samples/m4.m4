dnl version.m4: the release numbers shared by the generated files.
dnl Usage: m4 version.m4 template.in > template
dnl
# This comment is copied to the output, and MAJOR in it is not expanded.
define(`MAJOR', `2')dnl
define(`MINOR', `7')   dnl the minor number moves with every release
define(`VERSION', `MAJOR.MINOR')dnl
    dnl an indented dnl discards its line as well

    # an indented comment
define(`HASH', `#')dnl a quoted # is text
define(`SIGN', `#' `is text once quoted') # and this is a comment
dnl join(a, b, ...) joins its arguments with dashes.
define(`join',
`ifelse($#, 0, `',
        $#, 1, `$1',

        `$1-join(shift($@))')')dnl

changequote([, ])dnl
# Autoconf's quotes from here on; # still opens a comment.
define([dnlnote], [a longer name is another macro])dnl
define([TITLE], [Release VERSION])dnl
changequote`'dnl
TITLE
join(`a', `b', `c')
dnlnote
dnl end of file
