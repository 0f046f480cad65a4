# Builds a small package, and shows Nix's strings.
{ pkgs ? import <nixpkgs> { } }:

/* A block comment
   # with a line comment inside */
let
  name = "report"; # a comment after code
  quoted = "a # b /* c */ \" d ${name}";
  multi = "a string
  # spanning lines

  ends here";
  script = ''
    # text in an indented string, not a comment
    echo "${name}"

  '';
in
pkgs.writeShellScriptBin name script
