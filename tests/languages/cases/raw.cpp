auto s = R"x(
/* not a comment */
)x";
