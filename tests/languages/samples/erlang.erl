%% Counts the words of a text, and shows Erlang's literals.
-module(report).
-export([count_words/1, literals/0]).

-define(SEPARATOR, " ").
-ifdef(DEBUG).
-define(LOG(X), io:format("~p~n", [X])).
-else.
-define(LOG(X), ok).
-endif.

%% @doc Returns the number of words in Text.
count_words(Text) ->
    length(string:split(Text, ?SEPARATOR, all)). % a comment after code

literals() ->
    Percent = "100% sure \" quoted", % '%' inside a string is text
    Atom = 'an atom with % inside',
    Chars = [$%, $", $'], % character literals
    Multi = "a string
  % spanning lines

  ends here",
    ?LOG(Multi),
    {Percent, Atom, Chars, Multi}.
