/// <reference lib="es2020" />
// store.ts - generics, template literal types and comment markers in strings.

/**
 * A keyed store. Comment markers inside strings: see SEPARATOR.
 */
export interface Entry<T> {
  key: string;   // the key
  value: T;
}

type Route = `/api/${string}`;

const SEPARATOR = '//';
const OPEN = "/*";
const CLOSE = '*/'; /* a real comment after a string holding a close */

export class Store<T extends object> {
  private entries: Map<string, Entry<T>> = new Map();

  /*
     Sets a value.

  */
  set(key: string, value: T): void {
    this.entries.set(key, { key, value });
  }

  get(key: string): T | undefined {
    return this.entries.get(key)?.value; // optional chaining
  }

  describe(route: Route): string {
    return `route ${route}
// this line is inside the template
${SEPARATOR}${OPEN}${CLOSE}`;
  }
}

const TOKEN: RegExp = /[^^_`a-zA-Z\-0-9!#$%&'*+.|~]/; // a backtick and a quote inside
// a comment: the backtick above opened no template literal
const half = TOKEN.source.length / 2 / 1; // division after an operand
const parts = "a/b".split(/\//).filter((p: string) => /^'?\w/.test(p)); // after ( and =>
