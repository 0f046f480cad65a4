dnl config.m4 - macros for the sample build.
dnl Lines starting with dnl are discarded by m4.
# A hash comment is copied to the output but never expanded.
divert(-1)

define(`PROJECT', `sample')dnl the name used below
define(`VERSION', `1.0')
define(`HASH', `#')                 # a quoted hash is text
define(`GREETING', `hello, # still quoted text')
define(`BANNER', `first line
# second line, inside the quotes

last line')

dnl Joins two words with a dash.
define(`join', `$1-$2')dnl

# Upper-cases its argument.
define(`UPPER', `translit(`$1', `a-z', `A-Z')')

divert(0)dnl
PROJECT VERSION
UPPER(PROJECT)
join(`left', `right')
BANNER
GREETING HASH
dnl the end
