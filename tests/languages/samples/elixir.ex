# Counts words, and shows Elixir's literals.
defmodule Report do
  @moduledoc """
  Counts the words of a text. A # here is documentation text.
  """

  @doc """
  Returns the number of words in `text`.
  """
  def count_words(text) do
    text |> String.split() |> length() # a comment after code
  end

  # A comment on its own line.
  def literals do
    single = 'charlist # text'
    double = "string # text \" quote"
    multi = """
    # text in a multi-line string

    """
    {?#, ?", single, double, multi} # code points
  end
end
