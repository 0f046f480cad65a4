(* Counts the words of a text, and shows OCaml's literals. *)

(* A comment
   (* nests *) and runs on
   past the inner close *)
let count_words text =
  List.length (String.split_on_char ' ' text) (* a comment after code *)

let quote = '"' (* a character literal holding a quote *)
let escaped = '\''
let hash = "a (* b *) \" c"
let multi = "a string
  (* spanning lines *)

  ends here"
let quoted = {id|a "quoted" (* text *)|id}
let id' x = x (* a prime in a name *)
let f (x : 'a) = id' x (* a type variable *)
let () =
  print_endline (string_of_int (count_words "a b") ^ String.make 1 quote
    ^ String.make 1 escaped ^ hash ^ multi ^ quoted ^ f "")
