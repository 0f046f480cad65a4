// A counter that wraps at a limit.
`timescale 1ns / 1ps
`define WIDTH 8

/* A block comment
   // with a line comment inside */
module counter (
    input  wire clk,  // the clock
    input  wire rst,
    output reg [`WIDTH-1:0] count
);
`ifdef SIMULATION
    initial $display("counter: a // b \" c");
`endif
    always @(posedge clk) begin
        if (rst) count <= 0;
        else     count <= count + 1;
    end
endmodule
